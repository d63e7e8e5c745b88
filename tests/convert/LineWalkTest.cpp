#include "CaseName.h"
#include "ConversionEngine.h"
#include "TestText.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::MakeDoc;
using test::Vis;

struct WalkCase {
    const char* name;
    const char* markup;
    int32_t nWrap;  // layout columns, 0: a line per paragraph
    int32_t nLineLength;
    int32_t nSelFrom, nSelTo;
    const char* expected;
};

std::string RunWalk(const WalkCase& c, bool bHtml) {
    TextModel doc = MakeDoc(c.markup);
    doc.LayOut(c.nWrap);
    doc.SetSel(c.nSelFrom, c.nSelTo);
    CConversionEngine engine;
    const std::u32string out = bHtml ? engine.CopyToHtml(doc, c.nLineLength) : engine.NonstyledText(doc, c.nLineLength);
    int32_t nStart = -1, nEnd = -1;
    doc.GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, c.nSelFrom) << "the selection is put back";
    EXPECT_EQ(nEnd, c.nSelTo);
    return Vis(out);
}

class CopyToHtmlTest : public ::testing::TestWithParam<WalkCase> {};
TEST_P(CopyToHtmlTest, Walks) { EXPECT_EQ(RunWalk(GetParam(), true), GetParam().expected); }

class NonstyledTextTest : public ::testing::TestWithParam<WalkCase> {};
TEST_P(NonstyledTextTest, Walks) { EXPECT_EQ(RunWalk(GetParam(), false), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Cases, CopyToHtmlTest,
    ::testing::Values(
        WalkCase{"LeftTextOnly", "<abc|<def", 0, 256, 0, 0, "abc<BR>def<BR></NOBR></DIV>"},
        WalkCase{"ThreeRightPiecesOneBlock", ">ABC|>DEF|>GHI", 0, 256, 0, 0,
                 "</NOBR></DIV><DIV ALIGN=right><NOBR>CBA<BR>FED<BR>IHG<BR></NOBR></DIV>"},
        WalkCase{
            "RightThenCentre", ">ABC|^DEF", 0, 256, 0, 0,
            "</NOBR></DIV><DIV ALIGN=right><NOBR>CBA<BR></NOBR></DIV><DIV ALIGN=center><NOBR>FED<BR></NOBR></DIV></NOBR></DIV>"},
        WalkCase{"LeftThenRight", "<abc|>ABC", 0, 256, 0, 0,
                 "abc<BR></NOBR></DIV><DIV ALIGN=right><NOBR>CBA<BR></NOBR></DIV></NOBR></DIV>"},
        // Ten characters counting the paragraph end, the blank fifth: cut at the blank.
        WalkCase{"FullPieceCutAtItsBlank", "<abcd efg|<x", 0, 10, 0, 0, "abcd<BR>efg<BR>x<BR></NOBR></DIV>"},
        WalkCase{"LongWordCutAtTheLength", "<abcdefghijklm", 0, 5, 0, 0, "abcde<BR>fghij<BR>klm<BR></NOBR></DIV>"},
        WalkCase{"LeadingBlanksSkipped", "<   abc", 0, 256, 0, 0, "abc<BR></NOBR></DIV>"},
        // An empty paragraph is a piece of its own (its CR LF), not an empty line.
        WalkCase{"EmptyParagraphIsAPiece", "<abc|<|<def", 0, 256, 0, 0, "abc<BR><BR>def<BR></NOBR></DIV>"},
        // A paragraph of blanks still has its CR LF, which is a piece of its own.
        WalkCase{"BlankParagraphKeepsItsLineEndPiece", ">ABC|>   |>DEF", 0, 256, 0, 0,
                 "</NOBR></DIV><DIV ALIGN=right><NOBR>CBA<BR><BR>FED<BR></NOBR></DIV>"},
        // A line of only blanks is an empty line, aligned as the current selection's paragraph.
        WalkCase{"BlankLastLineIsAnEmptyLine", ">ABC|>   ", 0, 256, 0, 0,
                 "</NOBR></DIV><DIV ALIGN=right><NOBR>CBA<BR></NOBR></DIV><DIV ALIGN=right><BR></DIV></NOBR></DIV>"},
        WalkCase{"BlankLineFirstReadsTheCaret", "^   ", 0, 256, 0, 0, "<DIV ALIGN=center><BR></DIV></NOBR></DIV>"},
        // A full piece followed only by blanks up to the wrapped line's end: an empty line follows.
        WalkCase{"RemainderOfBlanksIsAnEmptyLine", "<abcd    efgh", 8, 4, 0, 0, "abcd<BR><BR>efgh<BR></NOBR></DIV>"},
        WalkCase{"SelectionFromTheMiddle", "<abcdefghij", 0, 4, 5, 9, "fgh<BR>i<BR></NOBR></DIV>"},
        WalkCase{"SelectionEndsInsideAPiece", "<abcd efgh|<xyz", 0, 256, 0, 7, "abcd ef<BR></NOBR></DIV>"},
        WalkCase{"SelectionOfAWholeSecondLine", "<abc|<def", 0, 256, 5, 8, "def<BR></NOBR></DIV>"},
        WalkCase{"WrappedParagraphIsSeveralLines", "<abc def ghi", 4, 256, 0, 0,
                 "abc <BR>def <BR>ghi<BR></NOBR></DIV>"}),
    test::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Cases, NonstyledTextTest,
    ::testing::Values(WalkCase{"LeftLines", "<abc|<def", 0, 256, 0, 0, "abc<BR>def<BR>"},
                      WalkCase{"AlignedLinesCarryNoBlocks", ">ABC|^DEF", 0, 256, 0, 0, "CBA<BR>FED<BR>"},
                      // Ten characters without a blank, then a blank: the piece stays whole, the blank is dropped.
                      WalkCase{"FullPieceBeforeABlank", "<abcdefghij klm", 0, 10, 0, 0, "abcdefghij<BR>klm<BR>"},
                      WalkCase{"FullPieceBeforeATab", "<abcdefghij\tklm", 0, 10, 0, 0, "abcdefghij<BR>klm<BR>"},
                      // A four-letter word, a blank and ten letters: the word keeps its blank.
                      WalkCase{"CutAfterTheLastBlank", "<abcd efghijklmn", 0, 10, 0, 0, "abcd <BR>efghijklmn<BR>"},
                      WalkCase{"LeadingBlanksKept", "<{L}  ab", 0, 256, 0, 0, "  ab<BR>"},
                      // Blanks before Latin in the Hebrew set are a right-to-left run of their own.
                      WalkCase{"LeadingBlanksInHebrewSet", "<  ab", 0, 256, 0, 0, "ab  <BR>"},
                      // The last character of the document is not a line ending and is written.
                      WalkCase{"LastCharacterKept", "<abc", 0, 256, 0, 0, "abc<BR>"},
                      // A paragraph that fills its last piece exactly gets no spurious empty line.
                      WalkCase{"ExactFitNoSpuriousLine", "<abcdefghij|<x", 0, 10, 0, 0, "abcdefghij<BR>x<BR>"},
                      // The empty line takes its alignment from the run converted last, not from its own paragraph.
                      WalkCase{"EmptyParagraphIsAnEmptyLine", ">ABC|<|<def", 0, 256, 0, 0,
                               "CBA<BR><DIV ALIGN=right><BR></DIV>def<BR>"},
                      WalkCase{"EmptyLineAfterALeftRun", "<abc|>|<def", 0, 256, 0, 0, "abc<BR><BR>def<BR>"},
                      // A word wider than the layout is broken by it; no letter is lost at the break.
                      WalkCase{"LayoutBreakInsideAWordLosesNothing", "<abcdefgh", 3, 256, 0, 0, "abc<BR>def<BR>gh<BR>"},
                      WalkCase{"WrappedAfterABlank", "<abc def", 4, 256, 0, 0, "abc<BR>def<BR>"},
                      WalkCase{"HebrewVisualOrder", ">ABC abc DEF", 0, 256, 0, 0, "FED abc CBA<BR>"}),
    test::CaseName());

TEST(LineWalkTest, NonstyledLeavesTheOpenAlignmentAlone) {
    TextModel doc = MakeDoc(">ABC");
    CConversionEngine engine;
    engine.m_nOpenAlign = 7;
    engine.NonstyledText(doc, 256);
    EXPECT_EQ(engine.m_nOpenAlign, 7);
    EXPECT_EQ(engine.m_nLineAlign, 2);
}

TEST(LineWalkTest, OutputIsTheSameBeforeAndAfterACopyToHtml) {
    TextModel doc = MakeDoc(">ABC def|^GHI");
    CConversionEngine engine;
    const std::u32string before = engine.NonstyledText(doc, 5);
    engine.CopyToHtml(doc, 5);
    EXPECT_EQ(engine.NonstyledText(doc, 5), before);
}

TEST(LineWalkTest, CountersCoverTheRange) {
    TextModel doc = MakeDoc("<abc def|<ghi");
    doc.SetSel(2, 10);
    CConversionEngine engine;
    engine.CopyToHtml(doc, 256);
    EXPECT_EQ(engine.m_nTotalChars, 8);
    EXPECT_EQ(engine.m_nDoneChars, 8);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(LineWalkTest, ASinkReceivesExactlyTheWholeOutput) {
    // Long enough for several hand-overs, with aligned blocks that run across them: a block's
    // closing may only go to the sink once the next piece cannot take it back.
    std::string markup;
    for (int i = 0; i < 20000; ++i) markup += (i % 7 == 3 ? "<abc def|" : i % 11 == 5 ? "^GHI|" : ">ABC def GHI|");
    markup += ">   ";
    TextModel doc = test::MakeDoc(markup);
    doc.LayOut(9);
    for (bool bHtml : {true, false}) {
        CConversionEngine whole;
        const std::u32string expected = bHtml ? whole.CopyToHtml(doc, 5) : whole.NonstyledText(doc, 5);
        ASSERT_GT(expected.size(), 300'000u);
        CConversionEngine streamed;
        std::u32string received;
        size_t nParts = 0;
        streamed.SetOutputSink([&](std::u32string_view part) {
            received += part;
            ++nParts;
        });
        const std::u32string rest = bHtml ? streamed.CopyToHtml(doc, 5) : streamed.NonstyledText(doc, 5);
        EXPECT_TRUE(rest.empty());
        EXPECT_GT(nParts, 3u);
        EXPECT_TRUE(received == expected) << (bHtml ? "html" : "plain");
    }
}

}  // namespace
}  // namespace velmora
