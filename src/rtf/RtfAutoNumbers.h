#pragma once
// The numbers that Word's AUTONUM, AUTONUMLGL and AUTONUMOUT fields show. Word stores no result
// for them and computes each at display time: the fields of one kind count in document order, at
// the outline level of their paragraph (body text counts at the first level).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The list numbering format (\levelnfc) a field's \* switch names ("PAGE \* roman": 2,
// "\* hebrew1": 45); 0, digits, for none or any other.
int32_t FieldNumberFormat(std::string_view instruction);

class CRtfAutoNumbers {
public:
    // The text of the field with this instruction in a paragraph at nOutlineLevel (0 for the first
    // level and for body text), counted: "3." (AUTONUM), "2.1." (AUTONUMLGL), "B." (AUTONUMOUT);
    // nullopt for any other field.
    struct Number {
        std::u32string text;
        std::string separator;  // AUTONUM's (\s), in the bytes its writer wrote
    };
    std::optional<Number> Next(std::string_view instruction, int32_t nOutlineLevel);

private:
    static constexpr int kLevels = 9;
    struct Counters {
        int32_t values[kLevels] = {};
    };
    Counters m_counters[3];  // AUTONUM, AUTONUMLGL, AUTONUMOUT
};

}  // namespace velmora
