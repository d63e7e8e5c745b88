#include "CodePage1255.h"
#include "Utf8.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(CodePage1255Test, MapsTheHebrewBlockAndMarks) {
    // Checked against Python's cp1255 codec, byte by byte, when the table was made.
    EXPECT_EQ(DecodeCp1255Byte(0xE0), U'\u05D0');
    EXPECT_EQ(DecodeCp1255Byte(0xFA), U'\u05EA');
    EXPECT_EQ(DecodeCp1255Byte(0xFE), U'\u200F');
    EXPECT_EQ(DecodeCp1255Byte(0xFD), U'\u200E');
    EXPECT_EQ(DecodeCp1255Byte(0xB7), U'\u00B7');
    EXPECT_EQ(DecodeCp1255Byte(0xA4), U'\u20AA');
    EXPECT_EQ(DecodeCp1255Byte(0x80), U'\u20AC');
    EXPECT_EQ(DecodeCp1255Byte(0xC0), U'\u05B0');
    EXPECT_EQ(DecodeCp1255Byte(0xD4), U'\u05F0');
    EXPECT_EQ(DecodeCp1255Byte(0xCA), U'\u05BA');
    for (int byte : {0x81, 0x8A, 0x8C, 0x90, 0x9A, 0x9F, 0xD9, 0xDF, 0xFB, 0xFC, 0xFF}) {
        EXPECT_EQ(DecodeCp1255Byte(static_cast<uint8_t>(byte)), U'\0') << byte;
    }
}

TEST(CodePage1255Test, EveryDefinedByteComesBack) {
    for (int byte = 1; byte < 256; ++byte) {
        const char32_t ch = DecodeCp1255Byte(static_cast<uint8_t>(byte));
        if (ch != 0) {
            EXPECT_EQ(EncodeCp1255Char(ch), byte);
        }
    }
    EXPECT_EQ(EncodeCp1255Char(U'\u00E9'), -1);
    EXPECT_EQ(EncodeCp1255Char(U'\U0001F600'), -1);
}

TEST(CodePage1255Test, TextsReportTheFirstBadPlace) {
    std::string bytes;
    size_t nBad = 0;
    EXPECT_FALSE(EncodeCp1255(U"ab\u05D0\u00E9", bytes, nBad));
    EXPECT_EQ(nBad, 3u);
    std::u32string text;
    EXPECT_FALSE(DecodeCp1255("ab\xFF", text, nBad));
    EXPECT_EQ(nBad, 2u);
    EXPECT_TRUE(DecodeCp1255("\xF9\xEC\xE5\xED", text, nBad));
    EXPECT_EQ(text, U"\u05E9\u05DC\u05D5\u05DD");
    // Undefined bytes are looked for a stretch of bytes at a time: at either edge of a stretch.
    for (size_t nAt : {0u, 255u, 256u, 257u, 600u}) {
        std::string padded(700, 'a');
        padded[nAt] = '\x81';
        padded[650] = '\xFF';
        EXPECT_FALSE(DecodeCp1255(padded, text, nBad));
        EXPECT_EQ(nBad, nAt);
        EXPECT_EQ(text, std::u32string(nAt, U'a'));
    }
}

TEST(Utf8Test, RefusesWhatIsNotUtf8) {
    std::u32string text;
    size_t nBad = 99;
    for (const auto& [bytes, offset] : {std::pair<std::string, size_t>{"ab\xC0\xAF", 2},  // overlong
                                        {"a\xED\xA0\x80", 1},                             // surrogate
                                        {"\xF4\x90\x80\x80", 0},                          // past U+10FFFF
                                        {"abc\xE2\x82", 3},                               // cut off
                                        {"\x80", 0}}) {
        EXPECT_FALSE(DecodeUtf8(bytes, text, nBad));
        EXPECT_EQ(nBad, offset);
    }
}

TEST(Utf8Test, RoundTripsEveryPlane) {
    const std::u32string text = U"a\u00E9\u05D0\u20AA\U0001F600";
    std::u32string back;
    size_t nBad = 0;
    ASSERT_TRUE(DecodeUtf8(EncodeUtf8(text), back, nBad));
    EXPECT_EQ(back, text);
}

}  // namespace
}  // namespace velmora
