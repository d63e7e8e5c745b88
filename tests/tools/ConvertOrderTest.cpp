// velmora-convert's --order: how it is read, and what each order writes.

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
    LineOrderRule eOrder;
};

class OrderOptionTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(OrderOptionTest, IsReadOrRefused) {
    const ParseResult r = ParseConvertOptions(Words(GetParam().args));
    ASSERT_EQ(r.options.has_value(), GetParam().bAccepted) << r.strError;
    if (r.options) {
        EXPECT_EQ(r.options->eOrder, GetParam().eOrder);
    } else {
        EXPECT_NE(r.strError.find("--order"), std::string::npos) << r.strError;
    }
}

INSTANTIATE_TEST_SUITE_P(Args, OrderOptionTest,
                         ::testing::Values(ParseCase{"in.rtf", true, LineOrderRule::Velmora},
                                           ParseCase{"--order velmora --plain", true, LineOrderRule::Velmora},
                                           ParseCase{"--order unicode", true, LineOrderRule::Unicode},
                                           ParseCase{"--plain --order=unicode", true, LineOrderRule::Unicode},
                                           ParseCase{"--order", false, LineOrderRule::Velmora},
                                           ParseCase{"--order bidi", false, LineOrderRule::Velmora},
                                           ParseCase{"--order unicode --text", false, LineOrderRule::Velmora},
                                           ParseCase{"--to-logical --order unicode", false, LineOrderRule::Velmora}));

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

TEST(OrderConversionTest, VelmoraIsTheDefault) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1255{\\fonttbl{\\f0\\fcharset177 David;}{\\f1\\fcharset0 Arial;}}"
        "\\pard\\qc\\f0 \\'f9\\'ec\\'e5\\'ed {\\f1\\b abc, def} 12.\\par}";
    for (const char* mode : {"--html", "--plain"}) {
        EXPECT_EQ(Convert(rtf, mode), Convert(rtf, std::string(mode) + " --order velmora")) << mode;
    }
}

}  // namespace
}  // namespace velmora
