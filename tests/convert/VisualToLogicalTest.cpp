#include "CaseName.h"
#include "TestText.h"
#include "VisualToLogical.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::Heb;
using test::Vis;

struct PasteCase {
    const char* visual;
    const char* logical;
};

class VisualToLogicalTest : public ::testing::TestWithParam<PasteCase> {};

TEST_P(VisualToLogicalTest, TurnsLinesBack) {
    std::u32string result = U"kept:";
    VisualToLogical(Heb(GetParam().visual), result);
    EXPECT_EQ(Vis(result), std::string("kept:") + GetParam().logical);
}

INSTANTIATE_TEST_SUITE_P(Texts, VisualToLogicalTest,
                         ::testing::Values(
                             // The worked example.
                             PasteCase{"CBA abc\r\n\r\nFED (1.5)  <br>x.A\r\n", "abc ABC\r\n(1.5) DEF\r\nA.x\r\n"},
                             PasteCase{"", ""}, PasteCase{"CBA", "ABC"}, PasteCase{"CBA\r\n", "ABC\r\n"},
                             PasteCase{"\r\nCBA", "\r\nABC"}, PasteCase{"A\r\n\r\nB", "A\r\nB"},
                             PasteCase{"A\r\n\r\n\r\n\r\nB", "A\r\n\r\nB"}, PasteCase{"A\nB", "A\r\nB"},
                             PasteCase{"A\r\r\r\r\r\r\rB", "A\r\nB"},  // seven line-end characters are one break
                             PasteCase{"A<br>\r\nB", "A\r\nB"}, PasteCase{"A<br><br>B", "A\r\n\r\nB"},
                             PasteCase{"   \r\nA", "\r\nA"}, PasteCase{"   ", ""}, PasteCase{"  BA\t ", "\tAB"},
                             PasteCase{"A<br/>B", "B<br/>A"}),
                         test::CaseName());

TEST(VisualToLogicalTest, CapitalBreakTagIsText) {
    std::u32string result;
    VisualToLogical(U"\u05D0<BR>\u05D1", result);
    EXPECT_EQ(result, U"\u05D1<BR>\u05D0");
}

}  // namespace
}  // namespace velmora
