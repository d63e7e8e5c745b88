#pragma once
// UTF-8 to and from the engine's characters.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// The byte-order mark a UTF-8 file may start with; it is not text.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Strict decoding: overlong forms, surrogates, values past U+10FFFF and cut-off sequences are
// refused, and nBadOffset names the byte where the first one starts.
bool DecodeUtf8(std::string_view bytes, std::u32string& text, size_t& nBadOffset);

void AppendUtf8(std::string& out, char32_t ch);
std::string EncodeUtf8(std::u32string_view text);

}  // namespace velmora
