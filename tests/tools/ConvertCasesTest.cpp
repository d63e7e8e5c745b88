// Runs every case of the conversion corpus (input, options, expected bytes) through the
// converter's job, in process, so that a failure shows the case and the first differing byte.

#include "CaseName.h"
#include "ConvertJob.h"
#include "ConvertOptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> SplitWords(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

std::vector<fs::path> CaseArgs() {
    std::vector<fs::path> cases;
    const fs::path dir = fs::path(VELMORA_TESTDATA_DIR) / "convert";
    if (!fs::is_directory(dir)) return cases;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".args") cases.push_back(entry.path());
    }
    std::sort(cases.begin(), cases.end());
    return cases;
}

fs::path InputOf(const fs::path& args) {
    for (const char* ext : {".rtf", ".txt"}) {
        fs::path input = args;
        input.replace_extension(ext);
        if (fs::exists(input)) return input;
    }
    return {};
}

class ConvertCasesTest : public ::testing::TestWithParam<fs::path> {};

TEST_P(ConvertCasesTest, WritesTheExpectedBytes) {
    const fs::path& argsPath = GetParam();
    const fs::path input = InputOf(argsPath);
    ASSERT_FALSE(input.empty()) << "no input beside " << argsPath;
    fs::path expectedPath = argsPath;
    expectedPath.replace_extension(".expected");

    const ParseResult parsed = ParseConvertOptions(SplitWords(ReadBytes(argsPath)));
    ASSERT_TRUE(parsed.options) << parsed.strError;
    const ConvertOutcome outcome = RunConversion(ReadBytes(input), input.string(), *parsed.options);
    EXPECT_EQ(outcome.nExitCode, 0) << outcome.strMessage;
    const std::string expected = ReadBytes(expectedPath);
    const auto mismatch = std::mismatch(expected.begin(), expected.end(), outcome.strOutput.begin(), outcome.strOutput.end());
    EXPECT_EQ(outcome.strOutput, expected) << "first difference at byte " << (mismatch.first - expected.begin());
}

INSTANTIATE_TEST_SUITE_P(Corpus, ConvertCasesTest, ::testing::ValuesIn(CaseArgs()), test::CaseName());
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ConvertCasesTest);

}  // namespace
}  // namespace velmora
