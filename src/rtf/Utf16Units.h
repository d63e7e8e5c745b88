#pragma once
// RTF writes a character beyond the Basic Multilingual Plane as two \uN, one for each UTF-16
// half; these join them again.

#include <cstdint>

namespace velmora {

constexpr bool IsHighSurrogate(char32_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }
constexpr char32_t JoinSurrogates(char32_t high, char32_t low) {
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// The UTF-16 unit of a \uN (signed or not); U+FFFD for a number no unit has.
constexpr char32_t UnicodeUnit(int32_t nParam) {
    const int64_t nValue = nParam < 0 ? int64_t{nParam} + 0x10000 : nParam;
    return nValue >= 0 && nValue <= 0xFFFF ? static_cast<char32_t>(nValue) : U'\uFFFD';
}

}  // namespace velmora
