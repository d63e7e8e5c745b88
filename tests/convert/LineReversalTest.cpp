#include "CaseName.h"
#include "LineReversal.h"
#include "TestText.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::Heb;
using test::Vis;

struct ReversalCase {
    const char* before;
    const char* after;
};

class ReverseRtlTextTest : public ::testing::TestWithParam<ReversalCase> {};

TEST_P(ReverseRtlTextTest, TurnsTheLine) {
    std::u32string line = Heb(GetParam().before);
    ReverseRtlText(line);
    EXPECT_EQ(Vis(line), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReverseRtlTextTest,
    ::testing::Values(
        ReversalCase{"CBA abc", "abc ABC"}, ReversalCase{"(abc)", "(abc)"}, ReversalCase{"abc.", ".abc"},
        ReversalCase{"3.14", "3.14"}, ReversalCase{"hello world", "world hello"}, ReversalCase{"f(x)", "(f)x"},
        ReversalCase{"A -- B", "B -- A"}, ReversalCase{"", ""}, ReversalCase{"x", "x"}, ReversalCase{"(", ")"},
        ReversalCase{"]", "["}, ReversalCase{"AB C\tD", "D\tC BA"}, ReversalCase{"A ... B", "B ... A"},
        ReversalCase{"A (--) B", "B (--) A"}, ReversalCase{"one\ttwo", "two\tone"},
        ReversalCase{"ab\r\n", "ab\r\n"},  // CR and LF belong to the word beside them
        ReversalCase{"A\r\n", "\r\nA"}, ReversalCase{"[a{b}c]", "[a}b{c]"}, ReversalCase{"A 1.5) B", "B (1.5 A"},
        ReversalCase{"-abc", "abc-"},  // edge trimming stays inside the word's own ends
        ReversalCase{"$5", "5$"}, ReversalCase{"A 12:30, B", "B ,12:30 A"}, ReversalCase{"who? A", "A who?"}),
    test::CaseName());  // ? is not edge punctuation: it turns with the word

TEST(ReverseRtlTextTest, AngleBracketsAreNotMirrored) {
    std::u32string line = U"\u05D0<BR>";
    ReverseRtlText(line);
    EXPECT_EQ(line, U"<BR>\u05D0");
}

TEST(ReverseRtlTextTest, NoBreakSpaceSeparatesWordsLikeHebrew) {
    std::u32string line = U"ab\u00A0cd";
    ReverseRtlText(line);
    EXPECT_EQ(line, U"cd\u00A0ab");
}

TEST(ReverseRtlTextTest, ReversingTwiceGivesBackLinesWithoutEdgePunctuation) {
    for (const char* text : {"ABC abc DEF", "A 12 B 3.4 C", "x y z"}) {
        std::u32string line = Heb(text);
        ReverseRtlText(line);
        ReverseRtlText(line);
        EXPECT_EQ(Vis(line), text);
    }
}

TEST(IsEdgePunctTest, HoldsExactlyTheFourteenSigns) {
    std::string edge;
    for (char32_t ch = 1; ch < 0x100; ++ch) {
        if (IsEdgePunct(ch)) edge += static_cast<char>(ch);
    }
    EXPECT_EQ(edge, "$()+,-./:=[]{}");
}

}  // namespace
}  // namespace velmora
