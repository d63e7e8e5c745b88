// Every RTF file of the shared test data, written by real word processors, reads as its sidecar
// says, and survives a write and a second read unchanged.

#include "CaseName.h"
#include "MiniJson.h"
#include "ModelText.h"
#include "RtfReader.h"
#include "RtfWriter.h"
#include "UnicodeLetters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

// The files of one test data folder with one extension, sorted; one "none" entry when the test
// data is missing, so that the test reports a skip instead of vanishing.
std::vector<std::string> DataFiles(const std::string& strFolder, const std::string& strExtension) {
    std::vector<std::string> names;
    const fs::path dir = TestDataDir();
    if (!dir.empty() && fs::is_directory(dir / strFolder)) {
        for (const auto& entry : fs::directory_iterator(dir / strFolder)) {
            if (entry.path().extension() == strExtension) names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    if (names.empty()) names.push_back("none");
    return names;
}

struct ExpectedChar {
    char32_t ch;
    bool bBold, bItalic, bUnderline;
    std::string strColor;
    double dSizePt;
    bool bHebrew;
};

struct ExpectedParagraph {
    uint16_t wAlignment = PFA_LEFT;
    bool bRtl = false;
    std::vector<ExpectedChar> chars;
};

uint16_t AlignmentOf(const std::string& strAlign) {
    if (strAlign == "right") return PFA_RIGHT;
    if (strAlign == "center") return PFA_CENTER;
    if (strAlign == "justify") return PFA_JUSTIFY;
    return PFA_LEFT;
}

// The sidecar's paragraphs as the model holds them: a '\n' (an RTF \line) starts a new paragraph
// with the same paragraph format.
std::vector<ExpectedParagraph> ExpectedParagraphs(const CJsonValue& sidecar) {
    std::vector<ExpectedParagraph> paragraphs;
    for (const CJsonValue& para : sidecar["paragraphs"].Items()) {
        ExpectedParagraph expected;
        expected.wAlignment = AlignmentOf(para["align"].AsString());
        expected.bRtl = para["direction"].AsString() == "rtl";
        paragraphs.push_back(expected);
        for (const CJsonValue& run : para["runs"].Items()) {
            for (char32_t ch : FromUtf8(run["text"].AsString())) {
                if (ch == U'\n') {
                    paragraphs.push_back(expected);
                    continue;
                }
                paragraphs.back().chars.push_back({ch, run["bold"].AsBool(), run["italic"].AsBool(),
                                                   run["underline"].AsBool(), run["color"].AsString(),
                                                   run["size_pt"].AsNumber(), run["hebrew"].AsBool()});
            }
        }
    }
    return paragraphs;
}

bool IsBlank(char32_t ch) { return ch == U' ' || ch == U'\t' || ch == U'\u00A0'; }

std::string ColorName(const CharFormat& cf) {
    if (cf.IsAutoColor()) return "auto";
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", cf.crTextColor & 0xFF, (cf.crTextColor >> 8) & 0xFF,
                  (cf.crTextColor >> 16) & 0xFF);
    return buffer;
}

void ExpectModelMatches(const TextModel& model, const std::vector<ExpectedParagraph>& expected) {
    ASSERT_EQ(model.ParagraphCount(), expected.size()) << DumpModel(model);
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("paragraph " + std::to_string(i));
        const Paragraph& para = model.ParagraphAt(i);
        EXPECT_EQ(para.wAlignment, expected[i].wAlignment);
        EXPECT_EQ(para.bRtl, expected[i].bRtl);
        const int32_t nTextEnd = i + 1 < model.ParagraphCount() ? model.ParagraphEnd(i) - 2 : model.Length();
        std::u32string expectedText;
        for (const ExpectedChar& ec : expected[i].chars) expectedText.push_back(ec.ch);
        const std::u32string actualText =
            model.Text().substr(static_cast<size_t>(para.nStart), static_cast<size_t>(nTextEnd - para.nStart));
        ASSERT_EQ(ToUtf8(actualText), ToUtf8(expectedText));
        for (size_t k = 0; k < expected[i].chars.size(); ++k) {
            const ExpectedChar& ec = expected[i].chars[k];
            const CharFormat& cf = model.FormatAt(para.nStart + static_cast<int32_t>(k));
            const std::string where = "character " + std::to_string(k) + " '" + ToUtf8(std::u32string(1, ec.ch)) + "'";
            EXPECT_EQ(cf.IsUnderline(), ec.bUnderline) << where;
            EXPECT_EQ(ColorName(cf), ec.strColor) << where;
            // LibreOffice writes some blanks between runs as "{\loch }", with no bold, italic or
            // size: what the sidecar gives them comes from the source document, not the file.
            if (!IsBlank(ec.ch)) {
                EXPECT_EQ(cf.IsBold(), ec.bBold) << where;
                EXPECT_EQ(cf.IsItalic(), ec.bItalic) << where;
                EXPECT_EQ(cf.yHeight, static_cast<int32_t>(std::lround(ec.dSizePt * 20))) << where;
            }
            // The flag is the writer's view only for letters; neutral characters follow their
            // neighbours there, and the character set rule here.
            if (IsHebrewScript(ec.ch) && IsLetter(ec.ch)) {
                EXPECT_EQ(cf.bCharSet == HEBREW_CHARSET, ec.bHebrew) << where;
            }
        }
    }
}

class RtfCorpusTest : public testing::TestWithParam<std::string> {};

TEST_P(RtfCorpusTest, ReadsAsItsSidecarSays) {
    const fs::path dir = TestDataDir();
    if (dir.empty()) GTEST_SKIP() << "the shared test data is not there";
    const fs::path file = dir / "rtf" / GetParam();
    CJsonValue sidecar;
    ASSERT_TRUE(CJsonValue::Parse(ReadFileBytes(file.string() + ".json"), sidecar));

    TextModel model;
    const RtfReadResult result = ReadRtf(ReadFileBytes(file), model);
    ASSERT_TRUE(result.bOk) << result.strError;
    ExpectModelMatches(model, ExpectedParagraphs(sidecar));
}

TEST_P(RtfCorpusTest, ReadWriteReadGivesTheSameModel) {
    const fs::path dir = TestDataDir();
    if (dir.empty()) GTEST_SKIP() << "the shared test data is not there";
    TextModel first;
    ASSERT_TRUE(ReadRtf(ReadFileBytes(dir / "rtf" / GetParam()), first).bOk);
    TextModel second;
    const std::string written = WriteRtf(first);
    ASSERT_TRUE(ReadRtf(written, second).bOk);
    EXPECT_EQ(CompareModels(first, second), "") << written;
}

INSTANTIATE_TEST_SUITE_P(Files, RtfCorpusTest, testing::ValuesIn(DataFiles("rtf", ".rtf")), test::CaseName());

// The converter's own RTF inputs: Windows-1255 \'xx in a \fcharset177 font.
class RtfConverterInputTest : public testing::TestWithParam<std::string> {};

TEST_P(RtfConverterInputTest, ReadsHebrewInTheHebrewSetAndRoundTrips) {
    const fs::path dir = TestDataDir();
    if (dir.empty()) GTEST_SKIP() << "the shared test data is not there";
    TextModel model;
    const RtfReadResult result = ReadRtf(ReadFileBytes(dir / "convert" / GetParam()), model);
    ASSERT_TRUE(result.bOk) << result.strError;
    for (int32_t pos = 0; pos < model.Length(); ++pos) {
        const char32_t ch = model.Text()[static_cast<size_t>(pos)];
        EXPECT_NE(ch, U'\uFFFD') << "at " << pos;
        if (IsHebrewScript(ch)) {
            EXPECT_EQ(model.FormatAt(pos).bCharSet, HEBREW_CHARSET) << "at " << pos;
        }
    }
    TextModel again;
    ASSERT_TRUE(ReadRtf(WriteRtf(model), again).bOk);
    EXPECT_EQ(CompareModels(model, again), "");
}

INSTANTIATE_TEST_SUITE_P(Files, RtfConverterInputTest, testing::ValuesIn(DataFiles("convert", ".rtf")),
                         test::CaseName());

TEST(RtfConverterInput, WorkedExampleReadsWithItsFormats) {
    const fs::path dir = TestDataDir();
    if (dir.empty()) GTEST_SKIP() << "the shared test data is not there";
    TextModel model;
    ASSERT_TRUE(ReadRtf(ReadFileBytes(dir / "convert" / "000-worked-example-copy-to-html.rtf"), model).bOk);
    EXPECT_EQ(DumpModel(model), "R|[:שלום ][b c0:abc][: ][#ff0000:עולם]");
}

}  // namespace
}  // namespace velmora::test
