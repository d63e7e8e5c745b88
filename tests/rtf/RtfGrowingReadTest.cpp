// RTF read as it arrives, in blocks that cut tokens anywhere, reads as the whole input does; and
// the reader never looks back at what it said it had read.

#include "CaseName.h"
#include "ModelText.h"
#include "Repeated.h"
#include "RtfReader.h"
#include "TextModelSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace velmora::test {
namespace {

// Hands its bytes over nBlock at a time whatever is asked for, as a pipe may.
class CTrickleInput final : public IRtfGrowingInput {
public:
    CTrickleInput(std::string bytes, size_t nBlock) : m_bytes(std::move(bytes)), m_nBlock(nBlock) {}
    std::string_view Extend(size_t nWanted) override {
        if (m_nShown < nWanted) m_nShown = std::min(m_bytes.size(), m_nShown + m_nBlock);
        return std::string_view(m_bytes).substr(0, m_nShown);
    }
    bool Ended() const override { return m_nShown == m_bytes.size(); }
    // Overwrites the first nBytes, so that a look back at them reads other bytes.
    void Scribble(size_t nBytes) { std::fill_n(m_bytes.begin(), std::min(nBytes, m_nShown), '}'); }

private:
    std::string m_bytes;
    size_t m_nBlock;
    size_t m_nShown = 0;
};

// Fills a model and scribbles over the input the reader says it has read.
class CScribblingSink final : public IRtfSink {
public:
    CScribblingSink(TextModel& model, CTrickleInput& input) : m_sink(model), m_input(input) {}
    void SetParagraphFormat(uint16_t wAlignment, bool bRtl) override { m_sink.SetParagraphFormat(wAlignment, bRtl); }
    void AppendText(std::u32string_view text, const CharFormat& cf) override { m_sink.AppendText(text, cf); }
    void EndParagraph(const CharFormat& cfBreak) override { m_sink.EndParagraph(cfBreak); }
    void InputReadTo(size_t nBytes) override { m_input.Scribble(nBytes); }

private:
    CTextModelSink m_sink;
    CTrickleInput& m_input;
};

std::string Outcome(const RtfReadResult& result) {
    if (!result.bOk) return "error: " + result.strError;
    return (result.bLastBraceMissing ? "read, last brace missing " : "read ") + result.strCutShort;
}

// "" when bytes read in blocks of each size as they read whole; else what differs.
std::string DifferenceInBlocks(const std::string& bytes, std::initializer_list<size_t> blocks) {
    TextModel whole;
    const std::string expected = Outcome(ReadRtf(bytes, whole));
    for (const size_t nBlock : blocks) {
        TextModel model;
        CTrickleInput input(bytes, nBlock);
        CScribblingSink sink(model, input);
        const std::string outcome = Outcome(ReadRtf(input, sink));
        const std::string where = "in blocks of " + std::to_string(nBlock) + ": ";
        if (outcome != expected) return where + outcome + " instead of " + expected;
        if (std::string difference = CompareModels(whole, model); !difference.empty()) return where + difference;
    }
    return {};
}

constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\ansicpg1255\\deff0{\\fonttbl{\\f0\\fnil\\fcharset177 David;}{\\f1\\fswiss\\fcharset0 Arial;}"
    "{\\f2\\fnil\\fcharset128 MS Mincho;}{\\f3\\fnil\\fcharset2 Symbol;}}{\\colortbl ;\\red255\\green0\\blue0;}\r\n";

struct SplitCase {
    const char* szName;
    std::string body;     // after kHeader
    bool bAlone = false;  // or the whole input
};

const SplitCase kSplitCases[] = {
    {"Escapes", "\\rtlpar\\f0 \\'e0\\'e1\\'e2 \\'f9\\'ec\\'e5\\'ed text\\'e4\\par\\'e0}"},
    {"BrokenEscapes", "\\'zz x\\'e\\'e0\\'zz\\'e0\\'e1\\'z1 y\\'}"},
    {"RowsOfEscapesBrokenInTheMidst", Repeated("\\'e0", 255) + "\\'zz" + Repeated("\\'e1", 300) + "\\'q\\par}"},
    {"WordsAndParameters",
     "\\fs24\\li-1440\\ri123456789012345678901 a\\cf1 b\\cf-\\ltrch\\abcdefghijklmnopqrstuvwxyz c}"},
    {"Binary", "{\\*\\pict\\bin20 {}\\\\\\'e0abcdefghijklmnop}x{\\pict\\bin0 }y{\\pict\\bin-5 z}}"},
    {"BinaryCutShort", "x{\\pict\\bin100 abc"},
    {"Unicode", "\\uc1\\u1488?\\u-10179\\u-8704 ab\\uc0\\u1489\\u1490 c\\u0 d}"},
    {"DoubleBytes", "{\\f2 \\'82\\'a0\\'82\\'a2 raw \x82\xa0\x82\xa2\\'82}\\'a0 \\'82a}"},
    {"LongRuns", Repeated("abcdefghij", 900) + "\\par " + Repeated("\xe0\xe1\xe2", 3000) + "\\par\\'e0" +
                     Repeated("\r\n", 3000) + "x}"},
    {"LineEndsAndNuls", std::string("ab\r\ncd\0ef\\\r\ngh\\\nij\0\0\0\r\n", 24) + "k}"},
    {"Destinations",
     "{\\field{\\*\\fldinst SYMBOL 97 \\\\f \"Symbol\"}{\\fldrslt }}{\\listtext 1.\\tab}x{\\*\\unknown abc}\\par}"},
    {"LoneBackslashAtTheEnd", "x\\"},
    {"LastBraceMissing", "x\\par y"},
    {"UnclosedGroup", "{x{\\b y}"},
    {"BlanksBeforeTheSignature", "\xEF\xBB\xBF  \r\n\t{\\rtf1 x}", true},
    {"NotRtf", "   \r\nhello {\\rtf1}", true},
    {"CutSignature", "{\\rt", true},
    {"WordDocument", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 more", true},
};

class RtfGrowingReadCase : public testing::TestWithParam<SplitCase> {};

TEST_P(RtfGrowingReadCase, ReadsInAnyBlocksAsWhole) {
    const SplitCase& c = GetParam();
    const std::string bytes = c.bAlone ? c.body : std::string(kHeader) + c.body;
    EXPECT_EQ(DifferenceInBlocks(bytes, {1, 2, 3, 5, 8, 13, 4099}), "");
}

INSTANTIATE_TEST_SUITE_P(Splits, RtfGrowingReadCase, testing::ValuesIn(kSplitCases), CaseName());

// Documents of real writers.
TEST(RtfGrowingRead, FilesReadInBlocksAsWhole) {
    namespace fs = std::filesystem;
    if (TestDataDir().empty()) GTEST_SKIP() << "no test data";
    size_t nFiles = 0;
    for (const char* szFolder : {"rtf", "rtf-wild"}) {
        if (!fs::is_directory(TestDataDir() / szFolder)) continue;
        for (const auto& entry : fs::directory_iterator(TestDataDir() / szFolder)) {
            if (entry.path().extension() != ".rtf") continue;
            ++nFiles;
            EXPECT_EQ(DifferenceInBlocks(ReadFileBytes(entry.path()), {61, 4099}), "") << entry.path();
        }
    }
    EXPECT_GT(nFiles, 20u);
}

// Past the megabytes after which the reader tells how far it has read, font names, list
// labels, a field's instruction and a \uN's fallback begun before are still needed.
TEST(RtfGrowingRead, LooksAtNothingItHasReadPast) {
    std::string bytes(kHeader);
    bytes +=
        "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\leveltext\\'02\\'00.;\\levelnumbers\\'01;}"
        "\\listid7}}{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}}\r\n";
    const std::string paragraph =
        "\\pard\\ls1\\rtlpar\\f0 \\'e0\\'e1 text {\\field{\\*\\fldinst SYMBOL 97 \\\\f \"Symbol\"}{\\fldrslt }}"
        "{\\f2 \\'82\\'a0}\\uc2\\u1488\\'e0\\'e1\\par\r\n";
    while (bytes.size() < (size_t{9} << 20)) bytes += paragraph;
    bytes += "{\\field{\\*\\fldinst SYMBOL 98 \\\\f \"Symbol\"}{\\fldrslt }}\\uc3\\u1489";
    bytes += Repeated("\\'e0", 5000) + "\\pard\\ls1 end\\par}";
    EXPECT_EQ(DifferenceInBlocks(bytes, {4097, size_t{1} << 20}), "");
}

}  // namespace
}  // namespace velmora::test
