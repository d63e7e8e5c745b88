// The reader takes document text, \'xx escapes and control words several bytes at a time: the
// text must read the same wherever a run, a row of escapes or the input itself ends.

#include "CaseName.h"
#include "ModelText.h"
#include "Repeated.h"
#include "RtfReader.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora::test {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kHeader = R"({\rtf1\ansi\ansicpg1255\deff0{\fonttbl{\f0\fcharset177 David;}})";

// The body is before + unit * nCount + after; its text, expected as the same pattern.
struct TextRunCase {
    const char* szName;
    std::string_view before;
    std::string_view unit;
    int nCount;
    std::string_view after;
    std::string_view textBefore;
    std::string_view textUnit;
    std::string_view textAfter;
};

void PrintTo(const TextRunCase& c, std::ostream* os) { *os << c.szName; }

class RtfTextRun : public testing::TestWithParam<TextRunCase> {};

TEST_P(RtfTextRun, ReadsWhole) {
    const TextRunCase& c = GetParam();
    TextModel model;
    const std::string body = std::string(c.before) + Repeated(c.unit, static_cast<size_t>(c.nCount)) + std::string(c.after);
    ASSERT_TRUE(ReadRtf(std::string(kHeader) + body, model).bOk);
    const std::string text = std::string(c.textBefore) + Repeated(c.textUnit, static_cast<size_t>(c.nCount)) + std::string(c.textAfter);
    EXPECT_EQ(DumpModel(model), text.empty() ? "L|" : "L|[:" + text + "]");
}

const TextRunCase kTextRunCases[] = {
    {"EscapesLongerThanAnyRun", "", R"(\'e0)", 5000, "}", "", "א", ""},
    {"TextLongerThanAnyRun", R"(\'e1)", "ab", 3000, R"(\'e1})", "ב", "ab", "ב"},
    {"EscapesAndTextInTurn", "", R"(\'f9\'ec\'e5\'ed, )", 1000, "}", "", "שלום, ", ""},
    {"LineEndsInsideARun", "", "a\r\n\\'e0\n", 2000, "}", "", "aא", ""},
    {"NulBytesCarryNothingButEscapedOnesCount", R"(\uc1\u1488)", "\\'00\0b"sv, 1, "}", "א", "b", ""},
    {"BrokenEscapeInsideARowLosesItsBackslash", "", R"(\'e0)", 300, R"(\'zzb})", "", "א", "'zzb"},
    {"BrokenEscapeAfterAFullRowIsASymbol", "", R"(\'e0)", 256, R"(\'zzb})", "", "א", "b"},
    {"BrokenEscapeAtTheEnd", "", R"(\'e0)", 3, R"(\')", "", "א", "'"},
    {"BrokenEscapeWhereARunIsFull", "x", R"(\'e0)", 4095, R"(\'zzb})", "x", "א", "'zzb"},
    {"EscapedNulsFillNoRun", "", R"(\'00)", 5000, R"(ab\'e0})", "", "", "abא"},
    {"LabelBeforeALongParagraph", R"({\listtext 1.\tab})", R"(\'e0 )", 3000, "}", "1.\t", "א ", ""},
    {"HalfAnEscapeAtTheEnd", "x", R"(\'e)", 1, "", "x", "", ""},
    {"WordAtTheEnd", "x", R"(\emdash)", 2, "", "x", "—", ""},
    {"LongWordAtTheEnd", "x", R"(\ldblquote)", 1, "", "x", "“", ""},
    {"LongAndEightLetterWords", R"(\colortbl)", R"(\rdblquote\bullet1 x)", 2, R"(\par)", "", "”•x", ""},
    {"ParameterAtTheEnd", "x", "", 0, R"(\u1489)", "xב", "", ""},
    {"LongParameterIsClamped", R"(\u9999999999?)", "", 0, "x}", "\uFFFD", "", "x"},
};
INSTANTIATE_TEST_SUITE_P(Runs, RtfTextRun, testing::ValuesIn(kTextRunCases), test::CaseName());

}  // namespace
}  // namespace velmora::test
