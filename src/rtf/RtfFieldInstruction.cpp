#include "RtfFieldInstruction.h"

#include <cstdint>

namespace velmora {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void SkipBlanks(std::string_view& text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
}

int DigitValue(char c, int nBase) {
    const char lower = Lower(c);
    const int nValue = lower >= '0' && lower <= '9'   ? lower - '0'
                       : lower >= 'a' && lower <= 'f' ? lower - 'a' + 10
                                                      : 99;
    return nValue < nBase ? nValue : -1;
}

}  // namespace

std::optional<char32_t> SymbolFieldCharacter(std::string_view instruction) {
    SkipBlanks(instruction);
    constexpr std::string_view kKeyword = "symbol";
    if (instruction.size() <= kKeyword.size() || !IsBlank(instruction[kKeyword.size()])) return std::nullopt;
    for (size_t i = 0; i < kKeyword.size(); ++i) {
        if (Lower(instruction[i]) != kKeyword[i]) return std::nullopt;
    }
    instruction.remove_prefix(kKeyword.size());
    SkipBlanks(instruction);
    int nBase = 10;
    if (instruction.size() > 2 && instruction[0] == '0' && Lower(instruction[1]) == 'x') {
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

}  // namespace velmora
