#pragma once
// The single-byte Windows code pages that RTF names through \ansicpgN and a font's \fcharsetN,
// for decoding \'xx escapes and 8-bit text.

#include <cstdint>

namespace velmora {

inline constexpr uint16_t CP_WINDOWS_1252 = 1252;
inline constexpr uint16_t CP_WINDOWS_1255 = 1255;

// The code page a font character set stands for (177 -> 1255, 204 -> 1251, ...), or 0 for the
// sets that name no single-byte Windows code page of their own (0 ANSI and 1 default, which the
// reader settles, 2 symbol, the East Asian sets...).
uint16_t CodePageOfCharset(int32_t nCharset);

// True for the code pages this reader holds a table for: 874, 1250 to 1258.
bool IsKnownCodePage(int32_t nCodePage);

// The character of one byte in a known code page; bytes below 0x80 are ASCII. Returns 0 for a
// byte the code page leaves undefined (and for every byte >= 0x80 of an unknown code page).
char32_t DecodeCodePageByte(uint16_t nCodePage, uint8_t byte);

// The upper half (bytes 0x80 to 0xFF) of a known code page as 128 characters, 0 where undefined;
// nullptr for an unknown code page. Hot loops keep this pointer instead of calling per byte.
const char32_t* CodePageUpperHalf(uint16_t nCodePage);

// The byte of ch in a known code page (ch itself below 0x80), or -1 when the code page cannot
// hold it or is unknown.
int EncodeCodePageChar(uint16_t nCodePage, char32_t ch);

}  // namespace velmora
