// Runs every case of the conversion corpus (input, options, expected bytes) through the
// converter's job, in process, so that a failure shows the case and the first differing byte.

#include "BlockSource.h"
#include "CaseName.h"
#include "ConvertJob.h"
#include "ConvertOptions.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    const auto mismatch =
        std::mismatch(expected.begin(), expected.end(), outcome.strOutput.begin(), outcome.strOutput.end());
    EXPECT_EQ(outcome.strOutput, expected) << "first difference at byte " << (mismatch.first - expected.begin());

    // Read a few bytes at a time and converted a window of a few characters at a time: the same.
    CBlockSource source(ReadBytes(input), 7);
    std::string streamed;
    const ConvertOutcome streamOutcome = RunStreamingConversion(
        source, input.string(), *parsed.options,
        [&](std::string_view bytes) {
            streamed += bytes;
            return true;
        },
        3);
    EXPECT_EQ(streamOutcome.nExitCode, 0) << streamOutcome.strMessage;
    EXPECT_EQ(streamed, expected) << "read and converted in small pieces";
}

// A fault found while the output is still held back leaves nothing written; one found later
// leaves what was written, and is reported just the same.
TEST(StreamingConversionJobTest, OutputIsHeldBackUntilItIsLarge) {
    ConvertOptions options;
    options.eMode = ConvertMode::Plain;
    options.eEncoding = TextEncoding::Cp1255;
    for (size_t nLines : {size_t{10}, kHeldOutputBytes / 4}) {
        std::string text;
        for (size_t i = 0; i < nLines; ++i) text += "\xF9\xEC abc\r\n";
        text += "\x81";  // a byte Windows-1255 leaves undefined
        CBlockSource source(text, 7);
        size_t nWritten = 0;
        const ConvertOutcome outcome = RunStreamingConversion(source, "in.txt", options, [&](std::string_view bytes) {
            nWritten += bytes.size();
            return true;
        });
        EXPECT_EQ(outcome.nExitCode, 1);
        EXPECT_NE(outcome.strMessage.find("byte " + std::to_string(text.size() - 1)), std::string::npos)
            << outcome.strMessage;
        if (nLines == 10)
            EXPECT_EQ(nWritten, 0u);
        else
            EXPECT_GT(nWritten, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, ConvertCasesTest, ::testing::ValuesIn(CaseArgs()), test::CaseName());
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ConvertCasesTest);

}  // namespace
}  // namespace velmora
