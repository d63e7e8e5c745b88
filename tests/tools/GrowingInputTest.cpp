// Input from a pipe held as it arrives: RTF converts as it does read whole, read errors and an
// input too large are reported, and the pages behind the reader are gone for good (a look at them
// stops the test).

#include "BlockSource.h"
#include "ConvertJob.h"
#include "GrowingInput.h"

#include <gtest/gtest.h>

#include <cstring>

namespace velmora {
namespace {

std::string LargeRtf() {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1255\\deff0{\\fonttbl{\\f0\\fnil\\fcharset177 David;}{\\f1\\fswiss\\fcharset0 Arial;}"
        "{\\f2\\fnil\\fcharset128 MS Mincho;}}{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0"
        "\\leveltext\\'02\\'00.;\\levelnumbers\\'01;}\\listid7}}{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}}\r\n";
    while (rtf.size() < (size_t{6} << 20)) {
        rtf +=
            "\\pard\\ls1\\rtlpar\\qr\\f0 \\'f9\\'ec\\'e5\\'ed {\\f1\\b abc 123}{\\f2 \\'82\\'a0}\\u1488?"
            "{\\*\\pict\\bin4 {}\\\\}\\'e0\\par\r\n";
    }
    return rtf + "\\pard\\ls1 \\'e0\\'e1\\par}";
}

std::string Streamed(IInputSource& source, const ConvertOptions& options, ConvertOutcome& outcome) {
    std::string output;
    outcome = RunStreamingConversion(source, "in.rtf", options, [&](std::string_view bytes) {
        output += bytes;
        return true;
    });
    return output;
}

TEST(GrowingInputTest, RtfConvertsAsItDoesReadWhole) {
    const std::string rtf = LargeRtf();
    for (const ConvertMode eMode : {ConvertMode::Html, ConvertMode::Plain}) {
        ConvertOptions options;
        options.eMode = eMode;
        options.eEncoding = TextEncoding::Utf8;
        const ConvertOutcome whole = RunConversion(rtf, "in.rtf", options);
        ASSERT_EQ(whole.nExitCode, 0) << whole.strMessage;
        for (const size_t nBlock : {size_t{4099}, size_t{65539}}) {
            CBlockSource source(rtf, nBlock);
            ConvertOutcome outcome;
            EXPECT_EQ(Streamed(source, options, outcome), whole.strOutput) << "blocks of " << nBlock;
            EXPECT_EQ(outcome.nExitCode, 0) << outcome.strMessage;
        }
    }
}

// Reads its bytes, then fails.
class CFailingSource final : public IInputSource {
public:
    explicit CFailingSource(std::string bytes) : m_bytes(std::move(bytes)) {}
    std::ptrdiff_t Read(char* pBuffer, size_t nSize, std::string& strError) override {
        if (m_bytes.empty()) {
            strError = std::strerror(EIO);
            return -1;
        }
        const size_t n = std::min(nSize, m_bytes.size());
        std::memcpy(pBuffer, m_bytes.data(), n);
        m_bytes.erase(0, n);
        return static_cast<std::ptrdiff_t>(n);
    }

private:
    std::string m_bytes;
};

TEST(GrowingInputTest, AReadErrorIsReported) {
    CFailingSource source("{\\rtf1 abc\\par def");
    ConvertOptions options;
    options.eMode = ConvertMode::Html;
    ConvertOutcome outcome;
    Streamed(source, options, outcome);
    EXPECT_EQ(outcome.nExitCode, 1);
    EXPECT_EQ(outcome.strMessage, std::string("in.rtf: ") + std::strerror(EIO));
}

TEST(GrowingInputTest, TakesUpToItsCapacity) {
    struct Row {
        size_t nHead, nRest, nCapacity;
        bool bFails;
    };
    for (const Row& row : {Row{10, 990, 1000, false}, Row{10, 991, 1000, true}, Row{1001, 0, 1000, true},
                           Row{0, 0, 1000, false}, Row{5000, 200000, 300000, false}}) {
        const std::string bytes(row.nHead + row.nRest, 'x');
        CBlockSource source(bytes.substr(row.nHead), 333);
        CGrowingInput input(source, row.nCapacity);
        ASSERT_TRUE(input.Begin(std::string_view(bytes).substr(0, row.nHead)));
        // What the reader did not ask for is still counted.
        const std::string_view part = input.Extend(bytes.size() / 2 + 1);
        EXPECT_EQ(part, std::string_view(bytes).substr(0, part.size()));
        input.Drain();
        const std::string where = std::to_string(row.nHead + row.nRest) + " bytes in " + std::to_string(row.nCapacity);
        EXPECT_TRUE(input.Ended()) << where;
        EXPECT_EQ(input.Failed(), row.bFails) << where;
        EXPECT_EQ(input.Error(), row.bFails ? "the file is too large" : "") << where;
    }
}

}  // namespace
}  // namespace velmora
