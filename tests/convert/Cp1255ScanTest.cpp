// The sixteen-byte scans over Windows-1255 text against the byte-at-a-time rules they stand
// for, at every length and offset around the sixteen- and sixty-four-byte edges.

#include "CharClass.h"
#include "CodePage1255.h"
#include "Cp1255Scan.h"
#include "LineReversal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace velmora {
namespace {

// The bytes the scans tell apart: Hebrew, the mark, blank, tab, NUL, line ends, break and edge
// punctuation, letters and digits.
std::u8string RandomText(std::mt19937& rng, size_t n) {
    static constexpr char8_t kBytes[] = {0xE0, 0xF9, 0xC0, 0xFE, 0xFD, 0xB7, ' ', ' ', '\t', 0,
                                         '\r', '\n', '(',  ')',  '[',  '{',  '}', '"', ',',  '.',
                                         ':',  ';',  '-',  '$',  'a',  'Z',  '1', '!', 0x80, 0xFF};
    std::u8string text(n, u8' ');
    for (char8_t& ch : text) ch = kBytes[rng() % std::size(kBytes)];
    return text;
}

// For the failure messages: GoogleTest prints std::string.
std::string Bytes(const std::u8string& text) { return std::string(text.begin(), text.end()); }

bool IsHebrewNotMark(char8_t ch) { return ch >= 0x80 && ch != 0xFE; }

// Where the run splitter's byte-at-a-time loops stop from i, with the text's end as their end.
int32_t ScalarStop(const std::u8string& text, int32_t i, bool bLatinLed) {
    const auto n = static_cast<int32_t>(text.size());
    for (; i < n; ++i) {
        const char8_t ch = text[static_cast<size_t>(i)];
        const bool bNextPasses = i + 1 < n && (bLatinLed ? IsLatinClass(text[static_cast<size_t>(i) + 1])
                                                         : IsHebrewNotMark(text[static_cast<size_t>(i) + 1]));
        const bool bPasses = bLatinLed ? IsLatinClass(ch) : IsHebrewNotMark(ch) || IsLatinClass(ch);
        if (!bPasses && !(ch == ' ' && bNextPasses)) return i;
    }
    return n;
}

TEST(Cp1255ScanTest, StopIndexFindsTheStopsOfTheByteLoops) {
#if !defined(__SSE2__)
    GTEST_SKIP() << "the index is built with SSE2 only";
#endif
    std::mt19937 rng(1);
    for (size_t n = 1; n <= 200; ++n) {
        const std::u8string text = RandomText(rng, n);
        CCp1255StopIndex index;
        index.Build(text.data(), static_cast<int32_t>(n), 7);
        ASSERT_TRUE(index.Holds(7));
        for (auto i = 0; i < static_cast<int32_t>(n); ++i) {
            ASSERT_EQ(std::min<int32_t>(index.NextHebrewLedStop(i), static_cast<int32_t>(n)),
                      ScalarStop(text, i, false))
                << "length " << n << " from " << i;
            ASSERT_EQ(std::min<int32_t>(index.NextLatinLedStop(i), static_cast<int32_t>(n)), ScalarStop(text, i, true))
                << "length " << n << " from " << i;
        }
    }
}

// Copied in order or back to front, with what the copy notes, and the Latin words turned over
// the ASCII stretch it reports as over the whole run.
TEST(Cp1255ScanTest, CopiesGiveTheBytesAndWhatTheyHold) {
    std::mt19937 rng(2);
    for (size_t n = 4; n <= 70; ++n) {
        for (int nTry = 0; nTry < 40; ++nTry) {
            const std::u8string text = RandomText(rng, n);
            for (bool bReverse : {false, true}) {
                std::u8string got(n, u8'?');
                const RunTextFlags flags = n < 16     ? CopyShortPlain(got.data(), text.data(), n, bReverse)
                                           : bReverse ? CopyReversedPlain(got.data(), text.data(), n)
                                                      : CopyPlain(got.data(), text.data(), n);
                std::u8string expected = text;
                if (bReverse) std::reverse(expected.begin(), expected.end());
                ASSERT_EQ(Bytes(got), Bytes(expected)) << "length " << n;
                const bool bAscii =
                    std::any_of(text.begin(), text.end(), [](char8_t ch) { return ch < 0x80 && ch != ' '; });
                const bool bMark = std::any_of(text.begin(), text.end(),
                                               [](char8_t ch) { return ch == 0xFE || ch == '\r' || ch == '\n'; });
                ASSERT_EQ(flags.bAscii, bAscii) << "length " << n;
                ASSERT_EQ(flags.bMarkOrEnd, bMark) << "length " << n;
                if (!bAscii) continue;
                std::u8string whole = got;
                TurnRtlWordsBack(whole.data(), n);
                TurnRtlWordsBack(got.data() + flags.nAsciiFrom, std::min(flags.nAsciiTo, n) - flags.nAsciiFrom);
                ASSERT_EQ(Bytes(got), Bytes(whole)) << "length " << n;
            }
        }
    }
}

TEST(Cp1255ScanTest, FindsTheFirstUndefinedByteAnywhere) {
    const std::string hebrew(48, '\xE0');
    for (int byte = 0; byte < 256; ++byte) {
        const bool bUndefined = byte != 0 && DecodeCp1255Byte(static_cast<uint8_t>(byte)) == 0;
        for (size_t nAt : {size_t{0}, size_t{15}, size_t{16}, size_t{31}, size_t{40}, size_t{47}}) {
            std::string text = hebrew;
            text[nAt] = static_cast<char>(byte);
            EXPECT_EQ(FindUndefinedCp1255(text), bUndefined ? nAt : text.size()) << "byte " << byte << " at " << nAt;
        }
    }
}

}  // namespace
}  // namespace velmora
