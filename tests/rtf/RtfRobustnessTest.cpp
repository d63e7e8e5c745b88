// Bad input never crashes, hangs or eats memory, and a file that cannot be read says why.

#include "ModelText.h"
#include "RtfReader.h"
#include "RtfWriter.h"

#include <gtest/gtest.h>

#include <random>

namespace velmora::test {
namespace {

constexpr std::string_view kHeader = R"({\rtf1\ansi\ansicpg1255{\fonttbl{\f0\fcharset177 David;}})";

RtfReadResult Read(std::string_view rtf, TextModel& model) { return ReadRtf(rtf, model); }

TEST(RtfRobustness, HundredThousandNestedGroupsAreRead) {
    constexpr size_t kDepth = 100000;
    const std::string rtf =
        std::string(kHeader) + std::string(kDepth, '{') + "\\b abc" + std::string(kDepth, '}') + "d}";
    TextModel model;
    const RtfReadResult result = Read(rtf, model);
    ASSERT_TRUE(result.bOk) << result.strError;
    EXPECT_EQ(DumpModel(model), "L|[b:abc][:d]");
}

TEST(RtfRobustness, FormatsBelowTheDepthLimitAreRestored) {
    const size_t nDepth = kMaxRtfGroupDepth - 2;
    const std::string rtf = std::string(kHeader) + std::string(nDepth, '{') + "\\i x" + std::string(nDepth, '}') + "y}";
    TextModel model;
    ASSERT_TRUE(Read(rtf, model).bOk);
    EXPECT_EQ(DumpModel(model), "L|[i:x][:y]");
}

// Words that change what every group's format resolves to must not cost the depth of the group
// stack each: here that would be billions of steps.
// Past the kept depth a group still ends what it started: its format, its destination, hidden
// text. Each body reads the same at depth 5,000 as at the top.
TEST(RtfRobustness, GroupsBeyondTheDepthLimitCloseLikeAnyOther) {
    const struct {
        std::string_view body;
        std::string_view expected;
    } cases[] = {
        {R"({\b x}y{\*\secret d}{\v h}z)", "L|[b:x][:yz]"},
        {R"({\fonttbl{\f1\fcharset0 Arial;}}{\colortbl;\red255\green0\blue0;}{\f1\cf1 a}b)", "L|[#ff0000 c0:a][:b]"},
        {R"({\v h{\v0 s}}{\qc\i c\par}t)", "C|[:s][i:c]\nL|[:t]"},
        {R"({\uc2\u1488 xx}\u1489 y)", "L|[:\xD7\x90\xD7\x91]"},
    };
    for (const auto& c : cases) {
        for (const size_t nDepth : {size_t{0}, size_t{5000}}) {
            const std::string rtf =
                std::string(kHeader) + std::string(nDepth, '{') + std::string(c.body) + std::string(nDepth, '}') + "}";
            TextModel model;
            ASSERT_TRUE(Read(rtf, model).bOk) << c.body;
            EXPECT_EQ(DumpModel(model), c.expected) << c.body << " at depth " << nDepth;
        }
    }
}

TEST(RtfRobustness, CodePageWordsDeepInsideGroupsStayLinear) {
    std::string rtf = std::string(kHeader) + std::string(kMaxRtfGroupDepth, '{');
    for (int i = 0; i < 1000000; ++i) rtf += "\\ansi";
    // \f5 is in no font table, so its bytes follow the code page the last word names.
    rtf += "\\ansicpg1251\\f5\\'c0" + std::string(kMaxRtfGroupDepth, '}') + "}";
    TextModel model;
    ASSERT_TRUE(Read(rtf, model).bOk);
    EXPECT_EQ(DumpModel(model), "L|[c0:\xD0\x90]");  // U+0410
}

// A file cut short is read up to where it ends, its open groups closed there, and says how it ended.
TEST(RtfRobustness, FilesCutShortAreReadUpToTheirEnd) {
    const struct {
        std::string rtf;
        const char* szModel;
        const char* szCutShort;
    } kCases[] = {
        {std::string(100000, '{') + "abc", "L|[:abc]", "the file ends inside a group"},
        {R"({\b abc)", "L|[b:abc]", "the file ends inside a group"},
        {R"(a{\field{\*\fldinst HYPERLINK "x"}{\fldrslt link)", "L|[:alink]", "the file ends inside a group"},
        {R"(\trowd\cellx100\cellx200\intbl a\cell b)", "L|[:a\tb]", ""},
        {R"({\shp{\*\shpinst{\shptxt box)", "L|[:box]", "the file ends inside a group"},
        {R"(a{\header head)", "L|[:a]", "the file ends inside a group"},
        {R"(a{\pict\bin2000000000 xyz}b})", "L|[:a]", "the file ends inside binary data (\\bin)"},
    };
    for (const auto& test : kCases) {
        TextModel model;
        const RtfReadResult result = Read(std::string(kHeader) + test.rtf, model);
        ASSERT_TRUE(result.bOk) << test.rtf.substr(0, 60) << ": " << result.strError;
        EXPECT_EQ(DumpModel(model), test.szModel) << test.rtf.substr(0, 60);
        EXPECT_EQ(result.strCutShort, test.szCutShort) << test.rtf.substr(0, 60);
        EXPECT_TRUE(result.bLastBraceMissing) << test.rtf.substr(0, 60);
    }
}

TEST(RtfRobustness, BinWithinTheFileIsSkippedWhateverItHolds) {
    TextModel model;
    const std::string data("{\\}\0\xFF", 5);
    ASSERT_TRUE(Read(std::string(kHeader) + "a{\\pict\\bin5 " + data + "}b{\\pict\\bin-7 }c}", model).bOk);
    EXPECT_EQ(DumpModel(model), "L|[:abc]");
}

TEST(RtfRobustness, ThirtyDigitNumbersAreClamped) {
    TextModel model;
    const RtfReadResult result =
        Read(std::string(kHeader) + R"(\fs123456789012345678901234567890 a\fs-123456789012345678901234567890 b)"
                                    R"(\cf999999999999999999999999999999 c\u-123456789012345678901234567890 d)"
                                    R"(\u123456789012345678901234567890 e\f999999999999999999999999999999 f})",
             model);
    ASSERT_TRUE(result.bOk) << result.strError;
    EXPECT_EQ(DumpModel(model), "L|[h327670:abc\xEF\xBF\xBD\xEF\xBF\xBD][h327670 c0:f]");
}

TEST(RtfRobustness, HugeUcSkipsOnlyToTheEndOfItsGroup) {
    TextModel model;
    ASSERT_TRUE(Read(std::string(kHeader) + R"({\uc999999999999999999\u1488 lost text}kept})", model).bOk);
    EXPECT_EQ(DumpModel(model), "L|[:אkept]");
}

TEST(RtfRobustness, NulBytesCarryNothing) {
    TextModel model;
    static constexpr char kBody[] = "a\0b\\b\0 c\\'e0\0\\u0?d\\'00}";
    const std::string rtf = std::string(kHeader) + std::string(kBody, sizeof kBody - 1);
    ASSERT_TRUE(Read(rtf, model).bOk);
    EXPECT_EQ(DumpModel(model), "L|[:ab][b: cאd]");
}

TEST(RtfRobustness, InputThatIsNotRtf) {
    for (std::string_view input : {std::string_view(""), std::string_view("hello"), std::string_view("{\\rt"),
                                   std::string_view("\x89PNG\r\n\x1A\n"), std::string_view("{\0\\\0r\0t\0f\0", 10)}) {
        TextModel model;
        const RtfReadResult result = Read(input, model);
        EXPECT_FALSE(result.bOk);
        EXPECT_EQ(result.strError, "not an RTF document");
    }
}

// Documents of other formats renamed .rtf are named for what they are.
TEST(RtfRobustness, OtherFormatsAreNamed) {
    const std::pair<std::string_view, const char*> kCases[] = {
        {"PK\x03\x04\x14\0\x06\0", "not an RTF document; it is a ZIP archive, as .docx and .odt documents are"},
        {"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0",
         "not an RTF document; it is a compound file, as .doc documents of Word 97 to 2003 are"},
        {"%PDF-1.7\n", "not an RTF document; it is a PDF document"},
        {std::string_view("\xFF\xFE{\0\\\0r\0", 7), "not an RTF document; it is UTF-16 text"},
    };
    for (const auto& [input, szError] : kCases) {
        TextModel model;
        EXPECT_EQ(Read(input, model).strError, szError);
    }
}

TEST(RtfRobustness, MissingFinalBraceAlone) {
    TextModel model;
    const RtfReadResult result = Read(std::string(kHeader) + R"(\pard\qr abc\par)", model);
    ASSERT_TRUE(result.bOk) << result.strError;
    EXPECT_TRUE(result.bLastBraceMissing);  // reported, for readers that must have it all
    EXPECT_EQ(DumpModel(model), "R|[:abc]");
    EXPECT_FALSE(Read(std::string(kHeader) + "abc}", model).bLastBraceMissing);
}

TEST(RtfRobustness, TextAfterTheDocumentIsIgnored) {
    TextModel model;
    ASSERT_TRUE(Read(std::string(kHeader) + R"(abc}}} more {\rtf1 x})", model).bOk);
    EXPECT_EQ(DumpModel(model), "L|[:abc]");
}

// Braces open at the end of a prefix of an RTF file without \bin: what the reader must report.
int OpenGroupsAtTheEnd(std::string_view rtf) {
    int nDepth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
        } else if (rtf[i] == '{') {
            ++nDepth;
        } else if (rtf[i] == '}' && --nDepth == 0) {
            return 0;
        }
    }
    return nDepth;
}

TEST(RtfRobustness, FileCutOffAnywhere) {
    const std::filesystem::path dir = TestDataDir();
    if (dir.empty()) GTEST_SKIP() << "the shared test data is not there";
    for (const char* szFile : {"rtf/04-colour-size-combo.lo-odt.rtf", "rtf/03-bold-italic-underline.abiword-he.rtf",
                               "rtf/12-non-cp1255-a.pandoc-md.rtf"}) {
        const std::string rtf = ReadFileBytes(dir / szFile);
        ASSERT_FALSE(rtf.empty()) << szFile;
        for (size_t nCut = 0; nCut <= rtf.size(); ++nCut) {
            const std::string_view prefix(rtf.data(), nCut);
            TextModel model;
            const RtfReadResult result = Read(prefix, model);
            if (!LooksLikeRtf(prefix)) {
                ASSERT_EQ(result.strError, "not an RTF document") << szFile << " cut at " << nCut;
            } else {
                ASSERT_TRUE(result.bOk) << szFile << " cut at " << nCut << ": " << result.strError;
                ASSERT_EQ(result.strCutShort.empty(), OpenGroupsAtTheEnd(prefix) <= 1) << szFile << " cut at " << nCut;
            }
        }
    }
}

// Random bytes and random RTF-like soup: the reader returns, whatever it makes of them.
TEST(RtfRobustness, RandomSoupIsReadOrRefused) {
    std::mt19937 random(7);
    const std::string_view pieces[] = {"{",
                                       "}",
                                       "\\par ",
                                       "\\u-",
                                       "\\u55357",
                                       "\\uc",
                                       "\\'",
                                       "\\'e",
                                       "\\bin",
                                       "\\*",
                                       "\\fonttbl",
                                       "\\f",
                                       "\\fcharset177",
                                       "\\colortbl",
                                       "\\cf",
                                       ";",
                                       "\\b",
                                       "99999999999",
                                       "-",
                                       "\\",
                                       "\\line",
                                       "\\cell",
                                       "\\v",
                                       "x",
                                       "\xE0",
                                       std::string_view("\0", 1),
                                       "\\rtlch",
                                       "\\ab",
                                       "\\afs",
                                       "\\fldinst",
                                       "\\pict",
                                       " "};
    for (int nDocument = 0; nDocument < 2000; ++nDocument) {
        std::string rtf = "{\\rtf1";
        const int nPieces = std::uniform_int_distribution<int>(0, 300)(random);
        for (int i = 0; i < nPieces; ++i)
            rtf += pieces[std::uniform_int_distribution<size_t>(0, std::size(pieces) - 1)(random)];
        TextModel model;
        const RtfReadResult result = Read(rtf, model);
        ASSERT_TRUE(result.bOk || !result.strError.empty()) << rtf;
        // Whatever was read can be written and read back.
        if (result.bOk) {
            TextModel again;
            ASSERT_TRUE(ReadRtf(WriteRtf(model), again).bOk);
            ASSERT_EQ(CompareModels(model, again), "") << rtf;
        }
    }
}

}  // namespace
}  // namespace velmora::test
