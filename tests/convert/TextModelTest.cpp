#include "CaseName.h"
#include "TestText.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::MakeDoc;
using test::Vis;

std::string Lines(const TextModel& doc) {
    std::string dump;
    for (int32_t i = 0; i < doc.GetLineCount(); ++i) dump += "[" + Vis(doc.GetLine(i)) + "]";
    return dump;
}

struct LayoutCase {
    const char* markup;
    int32_t nColumns;
    const char* lines;
};

class LayOutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayOutTest, CutsParagraphsIntoLines) {
    TextModel doc = MakeDoc(GetParam().markup);
    doc.LayOut(GetParam().nColumns);
    EXPECT_EQ(Lines(doc), GetParam().lines);
    int32_t nTotal = 0;
    for (int32_t i = 0; i < doc.GetLineCount(); ++i) nTotal += static_cast<int32_t>(doc.GetLine(i).size());
    EXPECT_EQ(nTotal, doc.GetTextLength()) << "line lengths add up to the text";
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, LayOutTest,
    ::testing::Values(LayoutCase{"abc def|ghi", 0, "[abc def\r\n][ghi]"}, LayoutCase{"abc def", 7, "[abc def]"},
                      LayoutCase{"abc def", 4, "[abc ][def]"},
                      LayoutCase{"abc def", 3, "[abc ][def]"},       // the blank at the edge stays on the line
                      LayoutCase{"abc   def", 3, "[abc   ][def]"},   // and so do the blanks after it
                      LayoutCase{"abc   |x", 3, "[abc   \r\n][x]"},  // only blanks left: the last line
                      LayoutCase{"abcdefgh", 3, "[abc][def][gh]"},   // a word wider than the line breaks
                      LayoutCase{"ab cdefgh", 4, "[ab ][cdef][gh]"}, LayoutCase{"a|", 5, "[a\r\n][]"},
                      LayoutCase{"||", 5, "[\r\n][\r\n][]"}, LayoutCase{"", 5, "[]"}),
    test::CaseName());

TEST(TextModelTest, ParagraphFormatReportsOneAlignmentOnly) {
    TextModel doc = MakeDoc(">abc|^def|^ghi");
    doc.SetSel(1, 2);
    EXPECT_EQ(doc.GetSelParaFormat().wAlignment, PFA_RIGHT);
    doc.SetSel(4, 6);  // from the first paragraph's CR LF into the second
    EXPECT_EQ(doc.GetSelParaFormat().dwMask & PFM_ALIGNMENT, 0u);
    doc.SetSel(5, 13);
    EXPECT_EQ(doc.GetSelParaFormat().dwMask & PFM_ALIGNMENT, PFM_ALIGNMENT);
    EXPECT_EQ(doc.GetSelParaFormat().wAlignment, PFA_CENTER);
    doc.SetSel(13, 13);  // a caret at the end: the last paragraph
    EXPECT_EQ(doc.GetSelParaFormat().wAlignment, PFA_CENTER);
}

TEST(TextModelTest, SelectionIsClampedAndAllSelectsEverything) {
    TextModel doc = MakeDoc("abcdef");
    int32_t a = 0, b = 0;
    doc.SetSel(0, -1);
    doc.GetSel(a, b);
    EXPECT_EQ(std::pair(a, b), std::pair(0, 6));
    doc.SetSel(9, 12);
    EXPECT_TRUE(doc.GetSelText().empty());
    doc.SetSel(4, 2);
    EXPECT_EQ(doc.GetSelText(), U"cd");
}

TEST(TextModelTest, CharFormatOfASelectionClearsWhatDiffers) {
    TextModel doc = MakeDoc("a{b}b{b}{red}c");
    doc.SetSel(0, 1);
    EXPECT_EQ(doc.GetSelCharFormat().dwMask, CFM_ALL_SINGLE);
    doc.SetSel(0, 3);
    const CharFormat cf = doc.GetSelCharFormat();
    EXPECT_EQ(cf.dwMask & (CFM_BOLD | CFM_COLOR), 0u);
    EXPECT_EQ(cf.dwMask & (CFM_ITALIC | CFM_SIZE | CFM_CHARSET), CFM_ITALIC | CFM_SIZE | CFM_CHARSET);
}

TEST(TextModelTest, ParagraphBreakCarriesTheFormatWhereItEnds) {
    TextModel doc = MakeDoc("a{b}|c");
    EXPECT_FALSE(doc.FormatAt(0).IsBold());
    EXPECT_TRUE(doc.FormatAt(1).IsBold());
    EXPECT_TRUE(doc.FormatAt(2).IsBold());
}

// Text appended with its format stretches: "x" in plain first, then "abcd" with the row's
// stretches (P plain, B bold); each character's format and how many runs the model keeps.
struct StretchCase {
    std::vector<std::pair<uint32_t, char>> stretches;
    const char* szFormats;
    int nRuns;
};

class AppendStretchesTest : public ::testing::TestWithParam<StretchCase> {};

TEST_P(AppendStretchesTest, GivesEachCharacterItsFormat) {
    TextModel doc;
    const uint32_t nPlain = doc.InternFormat(CharFormat{});
    const uint32_t nBold = doc.InternFormat(MakeCharFormat(true, false, false, false, true, 0, 240, HEBREW_CHARSET));
    doc.Append(U"x", nPlain);
    std::vector<FormatStretch> stretches;
    for (const auto& [nStart, letter] : GetParam().stretches)
        stretches.push_back({nStart, letter == 'B' ? nBold : nPlain});
    doc.Append(U"abcd", stretches);
    std::string formats;
    for (int32_t pos = 0; pos < doc.Length(); ++pos) formats += doc.FormatAt(pos).IsBold() ? 'B' : 'P';
    EXPECT_EQ(formats, GetParam().szFormats);
    int nRuns = 0;
    for (int32_t pos = 0; pos < doc.Length(); pos = doc.FormatRunEnd(pos)) ++nRuns;
    EXPECT_EQ(nRuns, GetParam().nRuns);
}

INSTANTIATE_TEST_SUITE_P(
    Stretches, AppendStretchesTest,
    ::testing::Values(StretchCase{{{0, 'B'}, {2, 'P'}}, "PBBPP", 3},
                      StretchCase{{{0, 'B'}, {0, 'P'}, {2, 'B'}}, "PPPBB", 2},  // empty one gives way
                      StretchCase{{{0, 'P'}, {2, 'P'}}, "PPPPP", 1},
                      StretchCase{{{0, 'B'}, {4, 'P'}, {9, 'P'}}, "PBBBB", 2},  // past the end
                      StretchCase{{{1, 'B'}, {3, 'P'}}, "PBBBP", 3}));          // the first holds the start

TEST(TextModelTest, OutsideLineStartsAreChecked) {
    TextModel doc = MakeDoc("abcdef|gh");
    EXPECT_TRUE(doc.SetLineStarts({0, 3, 8}));
    EXPECT_EQ(Lines(doc), "[abc][def\r\n][gh]");
    EXPECT_FALSE(doc.SetLineStarts({1, 3}));
    EXPECT_FALSE(doc.SetLineStarts({0, 3, 3}));
    EXPECT_FALSE(doc.SetLineStarts({0, 20}));
    EXPECT_EQ(Lines(doc), "[abc][def\r\n][gh]");
    TextModel endsInBreak = MakeDoc("ab|");
    EXPECT_TRUE(endsInBreak.SetLineStarts({0, 4}));
}

}  // namespace
}  // namespace velmora
