#include "RtfFieldInstruction.h"

#include "AsciiCase.h"

#include <cstdint>

namespace velmora {

namespace {

constexpr std::string_view kBlanks = " \t\r\n";

bool IsBlank(char c) { return kBlanks.find(c) != std::string_view::npos; }

void SkipBlanks(std::string_view& text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
}

int DigitValue(char c, int nBase) {
    const char lower = AsciiLower(c);
    const int nValue = lower >= '0' && lower <= '9'   ? lower - '0'
                       : lower >= 'a' && lower <= 'f' ? lower - 'a' + 10
                                                      : 99;
    return nValue < nBase ? nValue : -1;
}

// Takes the field's keyword (any case) and the blanks after it off the instruction.
bool TakeKeyword(std::string_view& instruction, std::string_view keyword) {
    SkipBlanks(instruction);
    if (instruction.size() <= keyword.size() || !IsBlank(instruction[keyword.size()]) ||
        !EqualsIgnoringAsciiCase(instruction.substr(0, keyword.size()), keyword))
        return false;
    instruction.remove_prefix(keyword.size());
    SkipBlanks(instruction);
    return true;
}

bool TakePrefix(std::string_view& text, std::string_view prefix) {
    if (text.substr(0, prefix.size()) != prefix) return false;
    text.remove_prefix(prefix.size());
    return true;
}

}  // namespace

std::optional<char32_t> SymbolFieldCharacter(std::string_view instruction) {
    if (!TakeKeyword(instruction, "symbol")) return std::nullopt;
    int nBase = 10;
    if (instruction.size() > 2 && instruction[0] == '0' && AsciiLower(instruction[1]) == 'x') {
        nBase = 16;
        instruction.remove_prefix(2);
    }
    uint32_t nValue = 0;
    size_t nDigits = 0;
    for (; nDigits < instruction.size() && DigitValue(instruction[nDigits], nBase) >= 0; ++nDigits) {
        nValue = nValue * static_cast<uint32_t>(nBase) + static_cast<uint32_t>(DigitValue(instruction[nDigits], nBase));
        if (nValue > 0x10FFFF) return std::nullopt;
    }
    if (nDigits == 0 || nValue < 0x20 || (nValue >= 0xD800 && nValue <= 0xDFFF)) return std::nullopt;
    return static_cast<char32_t>(nValue);
}

std::optional<std::string_view> LoweredEquationText(std::string_view instruction) {
    if (!TakeKeyword(instruction, "eq") || !TakePrefix(instruction, "\\s") || !TakePrefix(instruction, "\\do"))
        return std::nullopt;
    // The distance to lower by comes before the parenthesis: "\do5(".
    const size_t nOpen = instruction.find('(');
    const size_t nClose = instruction.find(')');
    if (nOpen == 0 || nOpen == std::string_view::npos || nClose == std::string_view::npos || nClose < nOpen)
        return std::nullopt;
    return instruction.substr(nOpen + 1, nClose - nOpen - 1);
}

std::optional<std::string_view> RubyBaseText(std::string_view instruction) {
    if (!TakeKeyword(instruction, "eq")) return std::nullopt;
    // The guide's font and size come first as \* switches, then an overstrike that names its
    // alignment (\ac, \ad, \al, \ar): a bare \o( stacks two texts, which is no guide.
    const size_t nOverstrike = instruction.find("\\o\\a");
    if (nOverstrike == std::string_view::npos || instruction.size() < nOverstrike + 5) return std::nullopt;
    instruction.remove_prefix(nOverstrike + 5);
    SkipBlanks(instruction);
    if (!TakePrefix(instruction, "(")) return std::nullopt;
    SkipBlanks(instruction);
    if (!TakePrefix(instruction, "\\s\\up")) return std::nullopt;
    const size_t nGuideOpen = instruction.find('(');
    const size_t nGuideClose = instruction.find(')');
    if (nGuideOpen == std::string_view::npos || nGuideClose == std::string_view::npos || nGuideClose < nGuideOpen)
        return std::nullopt;
    instruction.remove_prefix(nGuideClose + 1);
    if (!TakePrefix(instruction, ",")) return std::nullopt;
    const size_t nClose = instruction.rfind(')');
    if (nClose == std::string_view::npos || nClose == 0) return std::nullopt;
    return instruction.substr(0, nClose);
}

std::optional<std::string_view> ButtonDisplayText(std::string_view instruction) {
    if (!TakeKeyword(instruction, "macrobutton") && !TakeKeyword(instruction, "gotobutton")) return std::nullopt;
    const size_t nNameEnd = instruction.find_first_of(kBlanks);
    if (nNameEnd == std::string_view::npos) return std::nullopt;
    instruction.remove_prefix(nNameEnd);
    SkipBlanks(instruction);
    return instruction.substr(0, instruction.find_last_not_of(kBlanks) + 1);
}

bool IsPageField(std::string_view instruction) {
    SkipBlanks(instruction);
    const std::string_view keyword = instruction.substr(0, instruction.find_first_of(" \t\r\n\\"));
    return EqualsIgnoringAsciiCase(keyword, "page");
}

}  // namespace velmora
