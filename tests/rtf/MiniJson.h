#pragma once
// A small JSON reader for the test data's sidecars: objects, arrays, strings (with \u escapes and
// surrogate pairs), numbers, true, false, null.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::test {

class CJsonValue {
public:
    enum class Kind {
        Null,
        Bool,
        Number,
        String,
        Array,
        Object
    };

    Kind GetKind() const { return m_kind; }
    bool AsBool() const { return m_bValue; }
    double AsNumber() const { return m_dValue; }
    const std::string& AsString() const { return m_strValue; }  // UTF-8
    const std::vector<CJsonValue>& Items() const { return m_items; }
    // The member called name; a null value when there is none.
    const CJsonValue& operator[](const std::string& name) const;

    // Parses text; returns false (and a null value) when it is not well-formed JSON.
    static bool Parse(std::string_view text, CJsonValue& value);

private:
    friend class CJsonParser;
    Kind m_kind = Kind::Null;
    bool m_bValue = false;
    double m_dValue = 0;
    std::string m_strValue;
    std::vector<CJsonValue> m_items;
    std::map<std::string, CJsonValue> m_members;
};

}  // namespace velmora::test
