#include "RtfAutoNumbers.h"

#include "AsciiCase.h"
#include "RtfListTable.h"

#include <algorithm>

namespace velmora {

namespace {

enum AutoNumberKind {
    kAutoNum,
    kAutoNumLegal,
    kAutoNumOutline
};

constexpr std::string_view kBlanks = " \t\r\n";

std::string_view TakeWord(std::string_view& text) {
    const size_t nStart = std::min(text.find_first_not_of(kBlanks), text.size());
    text.remove_prefix(nStart);
    const size_t nEnd = std::min(text.find_first_of(kBlanks), text.size());
    const std::string_view word = text.substr(0, nEnd);
    text.remove_prefix(nEnd);
    return word;
}

std::optional<AutoNumberKind> KindOf(std::string_view keyword) {
    if (EqualsIgnoringAsciiCase(keyword, "autonum")) return kAutoNum;
    if (EqualsIgnoringAsciiCase(keyword, "autonumlgl")) return kAutoNumLegal;
    if (EqualsIgnoringAsciiCase(keyword, "autonumout")) return kAutoNumOutline;
    return std::nullopt;
}

// A \* format switch's name as a list numbering format; -1 for a switch that formats no number
// (MERGEFORMAT, Upper). The Latin ones take their case from the name's; Hebrew and Arabic have none.
int32_t FormatOfSwitch(std::string_view name) {
    if (EqualsIgnoringAsciiCase(name, "arabic")) return 0;
    if (name == "ALPHABETIC") return 3;
    if (name == "alphabetic") return 4;
    if (name == "ROMAN" || name == "Roman") return 1;
    if (name == "roman") return 2;
    if (EqualsIgnoringAsciiCase(name, "hebrew1")) return 45;  // numerals: יא, טו
    if (EqualsIgnoringAsciiCase(name, "arabicalpha")) return 46;
    if (EqualsIgnoringAsciiCase(name, "hebrew2")) return 47;  // letters in order: אא after ת
    if (EqualsIgnoringAsciiCase(name, "arabicabjad")) return 48;
    return -1;
}

std::u32string Utf32(const char* szText) {
    return std::u32string(szText, szText + std::char_traits<char>::length(szText));
}

// The outline numbering of AUTONUMOUT at each level: I. A. 1. a) (1) (a) (i) (a) (i).
std::u32string OutlineText(int32_t nValue, int nLevel) {
    static constexpr struct {
        int32_t nFormat;
        const char* szBefore;
        const char* szAfter;
    } kOutline[] = {{1, "", "."},  {3, "", "."},  {0, "", "."},  {4, "", ")"}, {0, "(", ")"},
                    {4, "(", ")"}, {2, "(", ")"}, {4, "(", ")"}, {2, "(", ")"}};
    const auto& level = kOutline[nLevel];
    return Utf32(level.szBefore) + FormatListNumber(nValue, level.nFormat) + Utf32(level.szAfter);
}

}  // namespace

int32_t FieldNumberFormat(std::string_view instruction) {
    int32_t nFormat = 0;
    for (std::string_view word = TakeWord(instruction); !word.empty(); word = TakeWord(instruction))
        if (word == "\\*") {
            const int32_t nNamed = FormatOfSwitch(TakeWord(instruction));
            if (nNamed >= 0) nFormat = nNamed;
        }
    return nFormat;
}

std::optional<CRtfAutoNumbers::Number> CRtfAutoNumbers::Next(std::string_view instruction, int32_t nOutlineLevel) {
    const std::optional<AutoNumberKind> kind = KindOf(TakeWord(instruction));
    if (!kind) return std::nullopt;
    const int32_t nFormat = FieldNumberFormat(instruction);
    bool bPeriod = true;
    std::string separator = ".";
    for (std::string_view word = TakeWord(instruction); !word.empty(); word = TakeWord(instruction)) {
        if (word == "\\*") TakeWord(instruction);
        if (word == "\\e") bPeriod = false;
        if (word == "\\s") {
            const std::string_view value = TakeWord(instruction);
            const bool bQuoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
            separator = bQuoted ? value.substr(1, value.size() - 2) : value;
        }
    }

    const int nLevel = std::clamp(nOutlineLevel, 0, kLevels - 1);
    int32_t* values = m_counters[*kind].values;
    ++values[nLevel];
    std::fill(values + nLevel + 1, values + kLevels, 0);
    switch (*kind) {
    case kAutoNumOutline: return Number{OutlineText(values[nLevel], nLevel), {}};
    case kAutoNumLegal: {
        // Every level's number down to the field's own, a level never numbered counting as 1.
        std::u32string text;
        for (int i = 0; i <= nLevel; ++i) {
            if (i > 0) text += U'.';
            text += FormatListNumber(std::max(values[i], 1), nFormat);
        }
        return Number{bPeriod ? text + U'.' : text, {}};
    }
    case kAutoNum: break;
    }
    return Number{FormatListNumber(values[nLevel], nFormat), std::move(separator)};
}

}  // namespace velmora
