// Windows-1255 plain text converted to Nonstyled text is read, converted and written as bytes
// when it streams: it must give the bytes of the whole conversion over Unicode characters, at the
// edges of the sixteen-byte scans, the read blocks and the windows, with marks, bullets, NULs,
// line ends, undefined bytes, --wrap, the line length and the logical page.

#include "BlockSource.h"
#include "ConvertJob.h"
#include "ConvertOptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace velmora {
namespace {

// Capitals are Hebrew letters, '|' the right-to-left mark, '*' the middle dot, '@' NUL and '%'
// a byte the code page leaves undefined; the rest stands for itself.
std::string Cp1255Of(std::string_view text) {
    std::string bytes;
    for (char c : text) {
        if (c >= 'A' && c <= 'Z')
            bytes += static_cast<char>(0xE0 + (c - 'A'));
        else if (c == '|')
            bytes += '\xFE';
        else if (c == '*')
            bytes += '\xB7';
        else if (c == '@')
            bytes += '\0';
        else if (c == '%')
            bytes += '\x9F';
        else
            bytes += c;
    }
    return bytes;
}

// The streamed conversion of bytes against the whole one, in blocks and windows of several sizes.
void ExpectSameAsWhole(const std::string& bytes, ConvertOptions options, const std::string& strCase) {
    options.eMode = ConvertMode::Plain;
    options.eEncoding = TextEncoding::Cp1255;
    const ConvertOutcome whole = RunConversion(bytes, "in.txt", options);
    for (auto [nBlock, nWindow] : {std::pair{size_t{1}, 1}, std::pair{size_t{7}, 3}, std::pair{size_t{300}, 50},
                                   std::pair{size_t{1} << 20, 0}}) {
        CBlockSource source(bytes, nBlock);
        std::string streamed;
        const ConvertOutcome outcome = RunStreamingConversion(
            source, "in.txt", options,
            [&](std::string_view part) {
                streamed += part;
                return true;
            },
            nWindow);
        const std::string where = strCase + ", blocks of " + std::to_string(nBlock) + ", window " +
                                  std::to_string(nWindow) + ", line length " + std::to_string(options.nLineLength);
        ASSERT_EQ(outcome.nExitCode, whole.nExitCode) << where;
        EXPECT_EQ(outcome.strMessage, whole.strMessage) << where;
        ASSERT_EQ(streamed, whole.strOutput) << where;
    }
}

TEST(Cp1255TextTest, BytesConvertAsTheirCharactersDo) {
    const std::string kRows[] = {
        "ABCD EFG HIJ KLMNOP QRS TUV ABC DEF GHI JKL MNO PQR STU VWX YZA",  // runs across sixteen bytes
        "ABC, DEF. (GHI) [JKL] {MNO} \"PQR\" STU: VWX; YZ! abc def (123) [x] {y} 3.14 $5 -7 a/b =c",
        "abcdefghijklmnopqrstuvwxyz 0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ abc!def?ghi ABC",
        "ABC|DEF | GHI abc| def |ABC|||| abc |ABC| |||||||||||||||||||| xyz",  // marks
        "*\tABC\r\n*\tabc\r\nABC *\t DEF\r\n**\t\t\r\n*\t",                    // bullets
        "ABC@DEF @ abc@def @@@@@@@@@@@@@@@@@@ ABC",                            // NULs
        "ABC\rDEF\nGHI\r\n\r\n\n\rabc\r\r\n\r\n",                              // every line end
        "                        ABC                                   abc         ",
        "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOP",
        "ABC.\tDEF\t\tabc\tdef. ABC (\t) abc:ABC\"abc\"ABC",
        "ABC DEF %GHI",  // an undefined byte
        "abc def ghi jkl mno pqr stu vwx yz ABC DEF GHI JKL MNO PQR STU VWX %",
        "",
        "\r\n",
    };
    for (const std::string& row : kRows) {
        for (int32_t nLineLength : {1, 5, 17, 80, 256}) {
            for (int32_t nWrap : {0, 7, 33}) {
                for (PageKind ePage : {PageKind::Visual, PageKind::Logical}) {
                    ConvertOptions options;
                    options.nLineLength = nLineLength;
                    options.nWrapColumns = nWrap;
                    options.ePage = ePage;
                    ExpectSameAsWhole(Cp1255Of(row), options, "\"" + row + "\" wrap " + std::to_string(nWrap));
                }
            }
        }
    }
}

// Random texts of the characters the rules turn on, and every byte the code page has.
TEST(Cp1255TextTest, RandomTextsConvertAsTheirCharactersDo) {
    static constexpr std::string_view kPieces[] = {"ABC",
                                                   "DE",
                                                   "FGHIJKLMNOPQRSTUV",
                                                   "abc",
                                                   "xyzabcdefghijklmnop",
                                                   "12",
                                                   "3.14",
                                                   " ",
                                                   "  ",
                                                   "   ",
                                                   ",",
                                                   ".",
                                                   "(",
                                                   ")",
                                                   "[",
                                                   "}",
                                                   "\"",
                                                   ":",
                                                   "-",
                                                   "!",
                                                   "|",
                                                   "*\t",
                                                   "@",
                                                   "\t",
                                                   "\r\n",
                                                   "\n",
                                                   "\r",
                                                   "                    "};
    std::mt19937 rng(1255);
    for (int nText = 0; nText < 150; ++nText) {
        std::string text;
        const int nPieces = 5 + static_cast<int>(rng() % 150);
        for (int i = 0; i < nPieces; ++i) text += kPieces[rng() % std::size(kPieces)];
        std::string bytes = Cp1255Of(text);
        if (nText % 10 == 0) {
            for (int b = 1; b < 256; ++b) bytes.insert(rng() % (bytes.size() + 1), 1, static_cast<char>(b));
        }
        ConvertOptions options;
        options.nLineLength = 1 + static_cast<int32_t>(rng() % 90);
        options.nWrapColumns = static_cast<int32_t>(rng() % 3) * 11;
        ExpectSameAsWhole(bytes, options, "text " + std::to_string(nText));
    }
}

}  // namespace
}  // namespace velmora
