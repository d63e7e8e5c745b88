#pragma once
// The code pages RTF writers name beyond the hand-kept Windows tables (CodePages.h): DOS and Mac
// pages, and the double-byte pages of Japanese, Chinese and Korean (932, 936, 949, 950, 1361),
// decoded by the C library's iconv. Each page is probed once, when first asked for, into a table;
// decoding never calls iconv afterwards.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace velmora {

// A double-byte code page: a lead byte and the byte after it make one character; other bytes
// stand alone.
class CDoubleByteCodePage {
public:
    bool IsLeadByte(uint8_t byte) const { return m_bLead[byte]; }
    // The character of a byte that stands alone (below 0x80: ASCII), 0 where undefined.
    char32_t Single(uint8_t byte) const { return m_single[byte]; }
    // The character of lead followed by trail, 0 where the pair is undefined.
    char32_t Pair(uint8_t lead, uint8_t trail) const {
        return m_pairs[static_cast<size_t>(m_nLeadIndex[lead]) * 256 + trail];
    }
    // What a lead byte and the byte after it read as: their character; U+FFFD where the page defines
    // none for the two but the byte follows a lead byte in some character of the page, so that the
    // two stand for one lost character; nothing when the byte is no trail byte and stands alone.
    std::optional<char32_t> AfterLead(uint8_t lead, uint8_t byte) const {
        if (const char32_t ch = Pair(lead, byte)) return ch;
        if (m_bTrail[byte]) return U'\uFFFD';
        return std::nullopt;
    }

private:
    friend class CDoubleByteBuilder;
    bool m_bLead[256] = {};
    bool m_bTrail[256] = {};
    char32_t m_single[256] = {};
    uint8_t m_nLeadIndex[256] = {};  // row of each lead byte in m_pairs
    std::vector<char32_t> m_pairs;   // 256 characters per lead byte
};

// UTF-8 as RTF names it (\ansicpg65001), whose characters take one to four bytes.
inline constexpr uint16_t CP_UTF_8 = 65001;

// What decodes the bytes of one code page: the upper half of a single-byte page (128 characters,
// 0 where undefined), a double-byte page, or UTF-8; none of them when neither the tables nor iconv
// know it.
struct CodePageDecoder {
    const char32_t* pUpperHalf = nullptr;
    const CDoubleByteCodePage* pDoubleByte = nullptr;
    bool bUtf8 = false;
    bool IsKnown() const { return pUpperHalf != nullptr || pDoubleByte != nullptr || bUtf8; }
};

// The decoder of a Windows code page number (437, 850, 932, 10000...), from the hand-kept tables
// when they hold it, else from iconv. Thread-safe; the tables live as long as the process.
CodePageDecoder FindCodePageDecoder(int32_t nCodePage);

// The code page a font's \fcharset stands for, the East Asian (128 -> 932, 129 -> 949, 134 -> 936,
// 136 -> 950, 130 -> 1361), Mac (77 -> 10000 ...) and OEM (255 -> 437) sets included; 0 for the
// sets that name none (0 ANSI and 1 default, which the reader settles, 2 symbol).
uint16_t CodePageOfRtfCharset(int32_t nCharset);

}  // namespace velmora
