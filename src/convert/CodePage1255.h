#pragma once
// Windows-1255, the code page of Hebrew text on the Windows clipboard.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// The character of one byte, or 0 for a byte the code page leaves undefined (0x00 is U+0000).
char32_t DecodeCp1255Byte(uint8_t byte);
// The byte of one character, or -1 when the code page cannot hold it.
int EncodeCp1255Char(char32_t ch);

// Whole texts. On failure the offset of the first undefined byte (or the position of the first
// character without a byte) is given and the output is incomplete.
bool DecodeCp1255(std::string_view bytes, std::u32string& text, size_t& nBadOffset);
// The offset of the first byte the code page leaves undefined, or bytes.size() when there is none.
size_t FindUndefinedCp1255(std::string_view bytes);
// Decodes bytes, which hold no undefined byte, into the bytes.size() characters at pOut.
void DecodeCp1255Into(std::string_view bytes, char32_t* pOut);
bool EncodeCp1255(std::u32string_view text, std::string& bytes, size_t& nBadPosition);
// The same, appending to bytes (which keeps what it held, and the bytes before a failure).
bool AppendCp1255(std::u32string_view text, std::string& bytes, size_t& nBadPosition);

}  // namespace velmora
