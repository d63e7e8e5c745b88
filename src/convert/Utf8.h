#pragma once
// UTF-8 to and from the engine's characters.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// The byte-order mark a UTF-8 file may start with; it is not text.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Strict decoding: overlong forms, surrogates, values past U+10FFFF and cut-off sequences are
// refused, and nBadOffset names the byte where the first one starts.
bool DecodeUtf8(std::string_view bytes, std::u32string& text, size_t& nBadOffset);

// UTF-8 that comes a byte at a time, a character's bytes perhaps split between calls (RTF writes
// them as \'c3\'a9, or as a \'c3 and a raw byte). A sequence that is not well-formed (overlong, a
// surrogate, past U+10FFFF) reads as one U+FFFD up to the first byte that cannot go on with it,
// which is then read on its own.
class CUtf8ByteDecoder {
public:
    // Takes one byte and puts the characters it completes into out: none, one, or a U+FFFD for
    // the sequence the byte broke followed by what the byte itself gives. Returns how many.
    int Feed(uint8_t byte, char32_t (&out)[2]);
    bool IsPending() const { return m_nAwaited > 0; }
    // Forgets a sequence begun (the caller shows it as one lost character).
    void Abandon() { m_nAwaited = 0; }

private:
    char32_t m_ch = 0;     // the bits of the character begun
    int m_nAwaited = 0;    // the bytes it still awaits
    uint8_t m_low = 0x80;  // the range the next of them must fall in
    uint8_t m_high = 0xBF;
};

void AppendUtf8(std::string& out, char32_t ch);
std::string EncodeUtf8(std::u32string_view text);

}  // namespace velmora
