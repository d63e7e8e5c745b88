// velmora-convert's --order and --page: how they are read, and what each writes.

#include "ConvertJob.h"
#include "ConvertOptions.h"

#include <gtest/gtest.h>

#include <sstream>

namespace velmora {
namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

struct ParseCase {
    const char* args;
    bool bAccepted;
    LineOrderRule eOrder = LineOrderRule::Velmora;
    PageKind ePage = PageKind::Visual;
    const char* option = "--order";  // named by the refusal
};

class OrderOptionTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(OrderOptionTest, IsReadOrRefused) {
    const ParseResult r = ParseConvertOptions(Words(GetParam().args));
    ASSERT_EQ(r.options.has_value(), GetParam().bAccepted) << r.strError;
    if (r.options) {
        EXPECT_EQ(r.options->eOrder, GetParam().eOrder);
        EXPECT_EQ(r.options->ePage, GetParam().ePage);
    } else {
        EXPECT_NE(r.strError.find(GetParam().option), std::string::npos) << r.strError;
    }
}

constexpr auto kUnicode = LineOrderRule::Unicode;
constexpr auto kVelmora = LineOrderRule::Velmora;
constexpr auto kLogical = PageKind::Logical;
constexpr auto kVisual = PageKind::Visual;

INSTANTIATE_TEST_SUITE_P(
    Args, OrderOptionTest,
    ::testing::Values(ParseCase{"in.rtf", true}, ParseCase{"--order velmora --plain", true},
                      ParseCase{"--order unicode", true, kUnicode},
                      ParseCase{"--plain --order=unicode", true, kUnicode}, ParseCase{"--order", false},
                      ParseCase{"--order bidi", false}, ParseCase{"--order unicode --text", false},
                      ParseCase{"--to-logical --order unicode", false}, ParseCase{"--page visual --html", true},
                      ParseCase{"--page logical --order unicode", true, kUnicode, kLogical},
                      ParseCase{"--plain --page=logical", true, kVelmora, kLogical},
                      ParseCase{"--page", false, kVelmora, kVisual, "--page"},
                      ParseCase{"--page utf-8", false, kVelmora, kVisual, "--page"},
                      ParseCase{"--dump-json --page logical", false, kVelmora, kVisual, "--page"}));

std::string Convert(const std::string& input, const std::string& args) {
    const ParseResult parsed = ParseConvertOptions(Words(args));
    EXPECT_TRUE(parsed.options) << parsed.strError;
    const ConvertOutcome outcome = RunConversion(input, "input", *parsed.options);
    EXPECT_EQ(outcome.nExitCode, 0) << outcome.strMessage;
    return outcome.strOutput;
}

// "שלום (abc) 123, עולם!" as typed, and the two orders of it.
constexpr const char* kSentence = "\xF9\xEC\xE5\xED (abc) 123, \xF2\xE5\xEC\xED!";

// Cut into lines, the levels still come from the whole paragraph: "123" follows the Latin word.
TEST(OrderConversionTest, TheSameSentenceInBothOrders) {
    EXPECT_EQ(Convert(kSentence, "--plain --encoding cp1255"), "!\xED\xEC\xE5\xF2 ,abc) 123) \xED\xE5\xEC\xF9<BR>");
    EXPECT_EQ(Convert(kSentence, "--plain --encoding cp1255 --order unicode"),
              "!\xED\xEC\xE5\xF2 ,123 (abc) \xED\xE5\xEC\xF9<BR>");
    EXPECT_EQ(Convert(kSentence, "--html --encoding cp1255 --order unicode --line-length 12"),
              "</NOBR></DIV><DIV ALIGN=right><NOBR>(abc) \xED\xE5\xEC\xF9<BR>!\xED\xEC\xE5\xF2 ,123<BR>"
              "</NOBR></DIV>");
}

// In a logical page every line is held in visual order, in either order of the lines.
TEST(OrderConversionTest, ALogicalPageOverridesEveryLine) {
    EXPECT_EQ(Convert(kSentence, "--html --encoding cp1255 --page logical --line-length 12"),
              "</NOBR></DIV><DIV ALIGN=right><NOBR><BDO DIR=LTR>abc)) \xED\xE5\xEC\xF9</BDO><BR>"
              "<BDO DIR=LTR>!\xED\xEC\xE5\xF2 ,123</BDO><BR></NOBR></DIV>");
    EXPECT_EQ(Convert(kSentence, "--plain --encoding cp1255 --page logical --order unicode"),
              "<BDO DIR=LTR>!\xED\xEC\xE5\xF2 ,123 (abc) \xED\xE5\xEC\xF9</BDO><BR>");
}

TEST(OrderConversionTest, VelmoraIsTheDefault) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1255{\\fonttbl{\\f0\\fcharset177 David;}{\\f1\\fcharset0 Arial;}}"
        "\\pard\\qc\\f0 \\'f9\\'ec\\'e5\\'ed {\\f1\\b abc, def} 12.\\par}";
    for (const char* mode : {"--html", "--plain"}) {
        EXPECT_EQ(Convert(rtf, mode), Convert(rtf, std::string(mode) + " --order velmora --page visual")) << mode;
    }
}

}  // namespace
}  // namespace velmora
