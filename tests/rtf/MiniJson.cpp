#include "MiniJson.h"

#include "ModelText.h"

#include <charconv>
#include <cstdlib>

namespace velmora::test {

class CJsonParser {
public:
    explicit CJsonParser(std::string_view text) : m_text(text) {}

    bool ParseDocument(CJsonValue& value) {
        if (!ParseValue(value, 0)) return false;
        SkipBlanks();
        return m_nPos == m_text.size();
    }

private:
    void SkipBlanks() {
        while (m_nPos < m_text.size() &&
               (m_text[m_nPos] == ' ' || m_text[m_nPos] == '\n' || m_text[m_nPos] == '\r' || m_text[m_nPos] == '\t'))
            ++m_nPos;
    }

    bool Consume(std::string_view word) {
        if (m_text.substr(m_nPos, word.size()) != word) return false;
        m_nPos += word.size();
        return true;
    }

    bool ParseValue(CJsonValue& value, int nDepth) {
        if (nDepth > 200) return false;
        SkipBlanks();
        if (m_nPos >= m_text.size()) return false;
        const char c = m_text[m_nPos];
        if (c == '{') return ParseObject(value, nDepth);
        if (c == '[') return ParseArray(value, nDepth);
        if (c == '"') {
            value.m_kind = CJsonValue::Kind::String;
            return ParseString(value.m_strValue);
        }
        if (Consume("true")) {
            value.m_kind = CJsonValue::Kind::Bool;
            value.m_bValue = true;
            return true;
        }
        if (Consume("false")) {
            value.m_kind = CJsonValue::Kind::Bool;
            return true;
        }
        if (Consume("null")) return true;
        return ParseNumber(value);
    }

    bool ParseNumber(CJsonValue& value) {
        const size_t nStart = m_nPos;
        while (m_nPos < m_text.size() &&
               std::string_view("+-0123456789.eE").find(m_text[m_nPos]) != std::string_view::npos)
            ++m_nPos;
        if (m_nPos == nStart) return false;
        value.m_kind = CJsonValue::Kind::Number;
        value.m_dValue = std::strtod(std::string(m_text.substr(nStart, m_nPos - nStart)).c_str(), nullptr);
        return true;
    }

    bool ParseHex4(uint32_t& unit) {
        if (m_nPos + 4 > m_text.size()) return false;
        const auto result = std::from_chars(m_text.data() + m_nPos, m_text.data() + m_nPos + 4, unit, 16);
        if (result.ptr != m_text.data() + m_nPos + 4) return false;
        m_nPos += 4;
        return true;
    }

    bool ParseString(std::string& out) {
        ++m_nPos;  // the opening quote
        while (m_nPos < m_text.size()) {
            const char c = m_text[m_nPos++];
            if (c == '"') return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_nPos >= m_text.size()) return false;
            const char e = m_text[m_nPos++];
            switch (e) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u': {
                uint32_t unit = 0;
                if (!ParseHex4(unit)) return false;
                if (unit >= 0xD800 && unit <= 0xDBFF && Consume("\\u")) {
                    uint32_t low = 0;
                    if (!ParseHex4(low)) return false;
                    unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                }
                out += ToUtf8(std::u32string(1, static_cast<char32_t>(unit)));
                break;
            }
            default: out += e; break;  // \" \\ \/
            }
        }
        return false;
    }

    bool ParseArray(CJsonValue& value, int nDepth) {
        ++m_nPos;
        value.m_kind = CJsonValue::Kind::Array;
        SkipBlanks();
        if (Consume("]")) return true;
        for (;;) {
            value.m_items.emplace_back();
            if (!ParseValue(value.m_items.back(), nDepth + 1)) return false;
            SkipBlanks();
            if (Consume("]")) return true;
            if (!Consume(",")) return false;
        }
    }

    bool ParseObject(CJsonValue& value, int nDepth) {
        ++m_nPos;
        value.m_kind = CJsonValue::Kind::Object;
        SkipBlanks();
        if (Consume("}")) return true;
        for (;;) {
            SkipBlanks();
            std::string name;
            if (m_nPos >= m_text.size() || m_text[m_nPos] != '"' || !ParseString(name)) return false;
            SkipBlanks();
            if (!Consume(":")) return false;
            if (!ParseValue(value.m_members[name], nDepth + 1)) return false;
            SkipBlanks();
            if (Consume("}")) return true;
            if (!Consume(",")) return false;
        }
    }

    std::string_view m_text;
    size_t m_nPos = 0;
};

const CJsonValue& CJsonValue::operator[](const std::string& name) const {
    static const CJsonValue s_null;
    const auto it = m_members.find(name);
    return it != m_members.end() ? it->second : s_null;
}

bool CJsonValue::Parse(std::string_view text, CJsonValue& value) {
    value = CJsonValue{};
    CJsonParser parser(text);
    if (parser.ParseDocument(value)) return true;
    value = CJsonValue{};
    return false;
}

}  // namespace velmora::test
