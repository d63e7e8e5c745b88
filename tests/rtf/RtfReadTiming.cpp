// Times the RTF reader by hand (not a test): builds an RTF document of about N MB (30 by default)
// in the shape word processors write Hebrew with a Hebrew font, runs of {\f0 \'xx...} and
// {\f1\b abc} with some bold, colour and size, and reads it into a TextModel and into a sink
// that keeps nothing.
//
//   build/tests/rtf/rtf_read_timing [MB]

#include "RtfReader.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

std::string MakeDocument(size_t nBytes) {
    std::mt19937 random(1);
    auto pick = [&random](int nLow, int nHigh) { return std::uniform_int_distribution<int>(nLow, nHigh)(random); };
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1255\\deff0\\uc1 {\\fonttbl{\\f0\\fnil\\fcharset177 David;}{\\f1\\fswiss\\fcharset0 "
        "Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}\n";
    rtf.reserve(nBytes + 4096);
    static constexpr char kHex[] = "0123456789abcdef";
    while (rtf.size() < nBytes) {
        rtf += "\\pard\\qr\\plain\\f0\\fs24 ";
        const int nChars = pick(40, 200);
        for (int n = 0; n < nChars;) {
            const int nKind = pick(0, 9);
            const int nLength = pick(2, 7);
            if (nKind < 6) {  // a Hebrew word
                rtf += nKind == 0 ? "{\\f0\\b " : nKind == 1 ? "{\\f0\\cf1 " : "{\\f0 ";
                for (int i = 0; i < nLength; ++i) {
                    const int nByte = 0xE0 + pick(0, 26);
                    rtf += "\\'";
                    rtf += kHex[nByte >> 4];
                    rtf += kHex[nByte & 15];
                }
            } else if (nKind < 8) {  // a Latin word
                rtf += nKind == 6 ? "{\\f1\\b " : "{\\f1 ";
                for (int i = 0; i < nLength; ++i) rtf += static_cast<char>('a' + pick(0, 9));
            } else {  // a number
                rtf += "{\\f1\\fs28 " + std::to_string(pick(0, 99999));
            }
            rtf += "}{\\f0  }";
            n += nLength + 1;
        }
        rtf += "\\par\n";
    }
    return rtf + "}\n";
}

struct CDiscardingSink final : velmora::IRtfSink {
    size_t nChars = 0;
    void SetParagraphFormat(uint16_t, bool) override {}
    void AppendText(std::u32string_view text, const velmora::CharFormat&) override { nChars += text.size(); }
    void EndParagraph(const velmora::CharFormat&) override { nChars += 2; }
};

template <typename Read>
void Time(const char* szWhat, const std::string& rtf, Read read) {
    double dBest = 1e9;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        read();
        dBest = std::min(dBest, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("%-22s best of 5: %.3f s, %.0f MB/s\n", szWhat, dBest, static_cast<double>(rtf.size()) / 1e6 / dBest);
}

}  // namespace

int main(int argc, char** argv) {
    const double dMegabytes = argc > 1 ? std::atof(argv[1]) : 30.0;
    const std::string rtf = MakeDocument(static_cast<size_t>(dMegabytes * 1e6));
    std::printf("document: %.1f MB of RTF\n", static_cast<double>(rtf.size()) / 1e6);
    Time("into a TextModel:", rtf, [&rtf] {
        velmora::TextModel model;
        if (!velmora::ReadRtf(rtf, model).bOk) std::abort();
    });
    Time("into a discarding sink:", rtf, [&rtf] {
        CDiscardingSink sink;
        if (!velmora::ReadRtf(rtf, sink).bOk) std::abort();
    });
    return 0;
}
