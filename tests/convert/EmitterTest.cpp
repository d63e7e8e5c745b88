#include "CaseName.h"
#include "ConversionEngine.h"
#include "TestText.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::Heb;
using test::MakeDoc;
using test::Vis;

std::string Convert(TextModel& doc, bool bHtml, int32_t nOpenAlign = -1, int32_t* pLineAlign = nullptr) {
    CConversionEngine engine;
    engine.m_nOpenAlign = nOpenAlign;
    engine.m_nTotalChars = doc.Length();
    std::u32string out;
    engine.ConvertRange(doc, out, 0, doc.Length(), bHtml);
    if (pLineAlign) *pLineAlign = engine.m_nLineAlign;
    return Vis(out);
}

struct EmitCase {
    const char* markup;
    int32_t nOpenAlign;
    const char* html;
    const char* plain;
};

class EmitRunsTest : public ::testing::TestWithParam<EmitCase> {};

TEST_P(EmitRunsTest, WritesTheLine) {
    TextModel doc = MakeDoc(GetParam().markup);
    EXPECT_EQ(Convert(doc, true, GetParam().nOpenAlign), GetParam().html);
    EXPECT_EQ(Convert(doc, false, GetParam().nOpenAlign), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, EmitRunsTest,
    ::testing::Values(
        // The worked example: Hebrew word, bold Latin, blank, red Hebrew word.
        EmitCase{">ABCD {L}{b}abc{b}{L} {red}EFGH", -1,
                 "<DIV ALIGN=right><NOBR><FONT COLOR=#ff0000>HGFE</FONT> <B>abc</B> DCBA<BR></NOBR></DIV>",
                 "HGFE abc DCBA<BR>"},
        EmitCase{"<abc", -1, "abc<BR>", "abc<BR>"}, EmitCase{"^ABC", 1, "CBA<BR>", "CBA<BR>"},
        EmitCase{"^ABC", -1, "<DIV ALIGN=center><NOBR>CBA<BR></NOBR></DIV>", "CBA<BR>"},
        EmitCase{">ABC", 1, "<DIV ALIGN=right><NOBR>CBA<BR></NOBR></DIV>", "CBA<BR>"},
        EmitCase{"<{L}{b}{i}{u}{red}{s=160}abc", -1,
                 "<FONT COLOR=#ff0000><FONT SIZE=2><B><I><U>abc</U></I></B></FONT></FONT><BR>", "abc<BR>"},
        // Neighbouring runs never share tags.
        EmitCase{"<{L}{b}ab{i}cd", -1, "<B>ab</B><B><I>cd</I></B><BR>", "abcd<BR>"},
        // A list bullet run (middle dot and tab) writes nothing at all.
        EmitCase{"<{L}{b}*\t{b}abc", -1, "abc<BR>", "abc<BR>"},
        // Right-to-left marks never reach the output.
        EmitCase{"<AB~C", -1, "CBA<BR>", "CBA<BR>"}, EmitCase{"<ABC (abc)", -1, "(abc) CBA<BR>", "(abc) CBA<BR>"},
        // Nothing is escaped.
        EmitCase{"<{L}a<b>&c", -1, "a<b>&c<BR>", "a<b>&c<BR>"},
        EmitCase{"<{s=60}x", -1, "<FONT SIZE=0>x</FONT><BR>", "x<BR>"}, EmitCase{"<{s=280}x", -1, "x<BR>", "x<BR>"},
        EmitCase{"<{s=720}x", -1, "<FONT SIZE=9>x</FONT><BR>", "x<BR>"}),
    test::CaseName());

TEST(EmitRunsTest, AutomaticColourIsNeverWrittenButBlackIs) {
    TextModel doc;
    CharFormat black = HebrewTypingFormat();
    black.dwEffects &= ~CFE_AUTOCOLOR;
    black.crTextColor = 0;
    doc.Append(U"x", black);
    EXPECT_EQ(Convert(doc, true), "<FONT COLOR=#000000>x</FONT><BR>");
}

TEST(EmitRunsTest, ColourDigitsAreRedGreenBlue) {
    TextModel doc;
    doc.Append(U"x", MakeCharFormat(false, false, false, false, false, 0x00FF8000, 240, 177));
    EXPECT_EQ(Convert(doc, true), "<FONT COLOR=#0080ff>x</FONT><BR>");
}

TEST(EmitRunsTest, ARunOfLineEndsKeepsItsTags) {
    TextModel doc = MakeDoc("<{L}{b}ab|");
    CConversionEngine engine;
    engine.m_nTotalChars = doc.Length();
    std::u32string out;
    engine.ConvertRange(doc, out, 2, 4, true);
    EXPECT_EQ(Vis(out), "<B></B><BR>");
}

TEST(EmitRunsTest, SetsTheLineAlignmentInBothModes) {
    for (const auto& [markup, code] : {std::pair{"<x", 0}, std::pair{"^x", 1}, std::pair{">x", 2}}) {
        TextModel doc = MakeDoc(markup);
        int32_t nAlign = -5;
        Convert(doc, false, -1, &nAlign);
        EXPECT_EQ(nAlign, code) << markup;
        Convert(doc, true, -1, &nAlign);
        EXPECT_EQ(nAlign, code) << markup;
    }
    TextModel justified = MakeDoc("x");
    justified.SetParagraphAlignment(PFA_JUSTIFY);
    int32_t nAlign = -5;
    Convert(justified, true, -1, &nAlign);
    EXPECT_EQ(nAlign, 2);
}

TEST(ConvertRangeTest, AnEmptyRangeDoesNothing) {
    TextModel doc = MakeDoc("abc");
    CConversionEngine engine;
    engine.m_nTotalChars = 3;
    std::u32string out = U"keep";
    engine.ConvertRange(doc, out, 2, 2, true);
    engine.ConvertRange(doc, out, 2, 1, true);
    EXPECT_EQ(out, U"keep");
    EXPECT_EQ(engine.m_nDoneChars, 0);
}

struct RecordingProgress : IProgress {
    std::vector<std::pair<int32_t, int32_t>> steps;
    std::u32string status;
    void Step(int32_t nCount, int32_t nPercent) override { steps.emplace_back(nCount, nPercent); }
    void SetStatusText(std::u32string_view text) override { status = text; }
};

TEST(ConvertRangeTest, ReportsProgressWithoutOverflowingOnHugeTotals) {
    TextModel doc = MakeDoc("abcdef");
    CConversionEngine engine;
    RecordingProgress progress;
    engine.SetProgress(&progress);
    engine.m_nTotalChars = 2'000'000'000;
    engine.m_nDoneChars = 1'000'000'000;
    std::u32string out;
    engine.ConvertRange(doc, out, 0, 6, false);
    ASSERT_EQ(progress.steps.size(), 1u);
    EXPECT_EQ(progress.steps[0], (std::pair<int32_t, int32_t>{6, 50}));
    EXPECT_EQ(progress.status, U"Converting non-styled text to HTML format  50%");
    engine.ConvertRange(doc, out, 0, 6, true);
    EXPECT_EQ(progress.status, U"Converting text to HTML format  50%");
}

TEST(ConvertRangeTest, LeavesTheLastEmittedRunSelected) {
    TextModel doc = MakeDoc("ABC abc DEF");
    CConversionEngine engine;
    engine.m_nTotalChars = doc.Length();
    std::u32string out;
    engine.ConvertRange(doc, out, 0, doc.Length(), false);
    int32_t nStart = -1, nEnd = -1;
    doc.GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, 0);  // the first logical run is the last one written on a right-to-left line
    EXPECT_EQ(nEnd, 4);
}

}  // namespace
}  // namespace velmora
