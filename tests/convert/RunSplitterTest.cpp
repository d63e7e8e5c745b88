#include "CaseName.h"
#include "ConversionEngine.h"
#include "TestText.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::MakeDoc;
using test::Vis;

// "[ABCD :H][abc:L] 1 0": the runs in logical order with their direction, then the visual order.
std::string SplitAll(TextModel& doc, int32_t nStart, int32_t nEnd) {
    CConversionEngine engine;
    std::vector<TextRun> runs;
    int32_t pos = nStart;
    while (pos < nEnd) {
        TextRun run;
        const int32_t next = engine.SplitNextRun(doc, pos, nEnd, run);
        EXPECT_GT(next, pos);
        EXPECT_EQ(run.nLength, next - pos);
        runs.push_back(run);
        pos = next;
    }
    std::string dump;
    for (const TextRun& run : runs) {
        dump += "[" + Vis(doc.Text().substr(static_cast<size_t>(run.nStart), static_cast<size_t>(run.nLength))) +
                (run.bHebrew ? ":H]" : ":L]");
    }
    std::vector<int32_t> order;
    FillVisualOrder(runs, order);
    EXPECT_EQ(order.back(), kOrderSentinel);
    order.pop_back();
    for (int32_t index : order) dump += " " + std::to_string(index);
    return dump;
}

std::string SplitAll(TextModel& doc) { return SplitAll(doc, 0, doc.Length()); }

struct SplitCase {
    const char* markup;
    const char* expected;
};

class SplitNextRunTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitNextRunTest, SplitsAndOrders) {
    TextModel doc = MakeDoc(GetParam().markup);
    EXPECT_EQ(SplitAll(doc), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, SplitNextRunTest,
    ::testing::Values(
        // A Latin word in the Hebrew set is still its own left-to-right run.
        SplitCase{"ABCD abc ABCD", "[ABCD :H][abc:L][ ABCD:H] 2 1 0"}, SplitCase{"ABCDabc", "[ABCDabc:H] 0"},
        SplitCase{"ABCD 123 ABCD", "[ABCD :H][123:L][ ABCD:H] 2 1 0"},
        // Neighbouring left-to-right runs keep their own order between the Hebrew ones.
        SplitCase{"ABCD abc {b}def{b} ABCD", "[ABCD :H][abc :L][def:L][ ABCD:H] 3 1 2 0"},
        SplitCase{"ABCD, abc", "[ABCD,:H][ :H][abc:L] 2 1 0"}, SplitCase{"ABCD (ABCD)", "[ABCD :H][(ABCD):H] 1 0"},
        SplitCase{"{L}abc, def.", "[abc, def:L][.:H] 1 0"}, SplitCase{"abc (def) ghi", "[abc (def) ghi:L] 0"},
        // The first Hebrew letter, in another format, never joins the blank's run.
        SplitCase{"{L}abc {L}ABCD", "[abc:L][ :L][ABCD:H] 2 0 1"}, SplitCase{"ABCD {b}ABCD", "[ABCD :H][ABCD:H] 1 0"},
        SplitCase{"x", "[x:L] 0"}, SplitCase{"A", "[A:H] 0"},
        // A right-to-left mark after Latin text clears the Hebrew flag; the run goes on.
        SplitCase{"ABC abc~ ABC", "[ABC :H][abc:L][~ ABC:L] 1 2 0"}, SplitCase{"AB ~CD", "[AB ~CD:H] 0"},
        // Punctuation followed by ASCII ends a Hebrew run; blanks before punctuation split.
        SplitCase{"AB.cd", "[AB.:H][cd:L] 1 0"}, SplitCase{"AB :cd", "[AB :H][::H][cd:L] 2 1 0"},
        SplitCase{"abc  ABC", "[abc :L][ ABC:H] 1 0"}, SplitCase{"ab, cd", "[ab, cd:L] 0"},
        SplitCase{"ab ,AB", "[ab :L][,AB:H] 1 0"}, SplitCase{"ab., cd", "[ab:L][.:H][,:H][ :H][cd:L] 4 3 2 1 0"},
        SplitCase{"AB 12.50 CD", "[AB :H][12.50:L][ CD:H] 2 1 0"}, SplitCase{"A\tB", "[A\tB:H] 0"}),
    test::CaseName());

TEST(SplitNextRunTest, LooksBeyondTheRangeButEndsInsideIt) {
    // The period is followed by Hebrew just past the range, so it leaves the Latin run.
    TextModel doc = MakeDoc("{L}abc.{L}ABCD");
    EXPECT_EQ(SplitAll(doc, 0, 4), "[abc:L][.:L] 0 1");
}

TEST(SplitNextRunTest, AtTheEndOfTheTextPunctuationIsRightToLeft) {
    TextModel doc = MakeDoc("{L}abc.");
    EXPECT_EQ(SplitAll(doc), "[abc:L][.:H] 1 0");
}

TEST(SplitNextRunTest, EveryRunCarriesTheFormatOfItsFirstCharacter) {
    TextModel doc = MakeDoc("AB{b}{red}CD");
    CConversionEngine engine;
    TextRun run;
    EXPECT_EQ(engine.SplitNextRun(doc, 0, 4, run), 2);
    EXPECT_EQ(run.dwEffects & CFE_BOLD, 0u);
    EXPECT_EQ(engine.SplitNextRun(doc, 2, 4, run), 4);
    EXPECT_EQ(run.dwEffects & (CFE_BOLD | CFE_AUTOCOLOR), CFE_BOLD);
    EXPECT_EQ(run.crTextColor, 0x000000FFu);
    EXPECT_EQ(run.dwMask, CFM_ALL_SINGLE);
}

TEST(SplitNextRunTest, WorkIsLinearInAStretchOfBlanks) {
    // Every piece of a long blank stretch looks ahead to its end; the look-up is shared, so this
    // finishes at once instead of scanning the stretch again for each piece.
    TextModel doc;
    doc.Append(std::u32string(2'000'000, U' '), HebrewTypingFormat());
    doc.Append(U"x", HebrewTypingFormat());
    CConversionEngine engine;
    int32_t nRuns = 0;
    for (int32_t pos = 0; pos < 2'000'000; pos += 200) {
        TextRun run;
        int32_t p = pos;
        while (p < pos + 200) {
            p = engine.SplitNextRun(doc, p, pos + 200, run);
            ++nRuns;
        }
    }
    EXPECT_EQ(nRuns, 10'000);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(SplitNextRunTest, OnlyTheCharacterAfterTheExaminedOneIsCompared) {
    // The bold blank is passed over by the step at position 1 and never compared, so the run
    // goes on with the plain letters after it.
    TextModel doc = test::MakeDoc("A  {b} {b}BCD");
    CConversionEngine engine;
    TextRun run;
    EXPECT_EQ(engine.SplitNextRun(doc, 0, doc.Length(), run), doc.Length());
}

}  // namespace
}  // namespace velmora
