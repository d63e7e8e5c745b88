// Unicode's own conformance files for the Bidirectional Algorithm, run through the ordering that
// --order unicode uses: every line, every paragraph direction it names, levels and visual order.

#include "UnicodeBidi.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

constexpr int kRemoved = -1;  // "x": the character takes no part in the order

struct Expected {
    std::vector<int> levels;  // kRemoved for characters dropped by the explicit rules
    std::vector<int> order;
};

std::vector<std::string> Fields(const std::string& line, char sep) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, sep);) fields.push_back(field);
    return fields;
}

std::vector<int> Numbers(const std::string& text) {
    std::vector<int> values;
    std::istringstream in(text);
    for (std::string word; in >> word;) values.push_back(word == "x" ? kRemoved : std::stoi(word));
    return values;
}

// Orders text as one line and compares it with the expectation; returns what went wrong, or "".
std::string Check(CUnicodeBidi& bidi, const std::u32string& text, BidiDirection eDir, const Expected& want,
                  int nParagraphLevel = kRemoved) {
    if (!bidi.SetParagraph(text, eDir)) return "not accepted";
    if (nParagraphLevel != kRemoved && bidi.ParagraphLevel() != nParagraphLevel) return "paragraph level";
    std::vector<BidiRun> runs;
    std::vector<uint8_t> levels;
    if (!bidi.OrderLine(0, static_cast<int32_t>(text.size()), runs, &levels)) return "not ordered";
    if (levels.size() != want.levels.size()) return "level count";
    for (size_t i = 0; i < levels.size(); ++i) {
        if (want.levels[i] != kRemoved && want.levels[i] != levels[i]) return "level of character " + std::to_string(i);
    }
    std::vector<int> order;
    for (const BidiRun& run : runs) {
        for (int32_t k = 0; k < run.nLength; ++k) {
            const int i = run.bRtl ? run.nStart + run.nLength - 1 - k : run.nStart + k;
            if (want.levels[static_cast<size_t>(i)] != kRemoved) order.push_back(i);
        }
    }
    return order == want.order ? "" : "order";
}

std::ifstream OpenUnicodeFile(const char* name) {
    std::ifstream in(std::string(VELMORA_UNICODE_DATA) + "/" + name);
    EXPECT_TRUE(in.is_open()) << VELMORA_UNICODE_DATA << "/" << name
                              << " is missing: install unicode-data (scripts/setup.sh)";
    return in;
}

// Counts the cases run and keeps the first failures for the report.
struct Tally {
    int nLines = 0;
    int nCases = 0;
    int nFailed = 0;
    std::string firstFailures;
    void Add(const std::string& what, int nLine, const std::string& line) {
        ++nCases;
        if (what.empty()) return;
        if (++nFailed <= 5) firstFailures += "line " + std::to_string(nLine) + " (" + what + "): " + line + "\n";
    }
};

TEST(UnicodeBidiConformance, EveryLineOfBidiCharacterTest) {
    std::ifstream in = OpenUnicodeFile("BidiCharacterTest.txt");
    CUnicodeBidi bidi;
    Tally tally;
    const BidiDirection directions[] = {BidiDirection::LeftToRight, BidiDirection::RightToLeft, BidiDirection::Auto};
    int nLine = 0;
    for (std::string line; std::getline(in, line);) {
        ++nLine;
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> f = Fields(line, ';');
        ASSERT_EQ(f.size(), 5u) << "line " << nLine;
        std::u32string text;
        std::istringstream hex(f[0]);
        for (std::string word; hex >> word;) text += static_cast<char32_t>(std::stoul(word, nullptr, 16));
        ++tally.nLines;
        tally.Add(Check(bidi, text, directions[std::stoi(f[1])], {Numbers(f[3]), Numbers(f[4])}, std::stoi(f[2])),
                  nLine, line);
    }
    std::cout << "BidiCharacterTest.txt: " << tally.nLines << " lines, " << tally.nFailed << " failed\n";
    EXPECT_GT(tally.nLines, 90000);
    EXPECT_EQ(tally.nFailed, 0) << tally.firstFailures;
}

TEST(UnicodeBidiConformance, EveryLineOfBidiTestInEveryDirectionItNames) {
    // One character of each bidirectional class stands for the class.
    const std::map<std::string, char32_t> sample = {
        {"L", U'a'},        {"R", U'\u05D0'},   {"AL", U'\u0627'},  {"EN", U'1'},       {"ES", U'+'},
        {"ET", U'$'},       {"AN", U'\u0660'},  {"CS", U','},       {"NSM", U'\u0300'}, {"BN", U'\u00AD'},
        {"B", U'\u2029'},   {"S", U'\t'},       {"WS", U' '},       {"ON", U'!'},       {"LRE", U'\u202A'},
        {"LRO", U'\u202D'}, {"RLE", U'\u202B'}, {"RLO", U'\u202E'}, {"PDF", U'\u202C'}, {"LRI", U'\u2066'},
        {"RLI", U'\u2067'}, {"FSI", U'\u2068'}, {"PDI", U'\u2069'}};
    std::ifstream in = OpenUnicodeFile("BidiTest.txt");
    CUnicodeBidi bidi;
    Tally tally;
    Expected want;
    int nLine = 0;
    for (std::string line; std::getline(in, line);) {
        ++nLine;
        if (line.empty() || line[0] == '#') continue;
        if (line.starts_with("@Levels:")) {
            want.levels = Numbers(line.substr(8));
        } else if (line.starts_with("@Reorder:")) {
            want.order = Numbers(line.substr(9));
        } else if (line[0] != '@') {
            const std::vector<std::string> f = Fields(line, ';');
            ASSERT_EQ(f.size(), 2u) << "line " << nLine;
            std::u32string text;
            std::istringstream classes(f[0]);
            for (std::string name; classes >> name;) text += sample.at(name);
            const int nBits = std::stoi(f[1], nullptr, 16);
            ++tally.nLines;
            if (nBits & 1) tally.Add(Check(bidi, text, BidiDirection::Auto, want), nLine, line + " auto");
            if (nBits & 2) tally.Add(Check(bidi, text, BidiDirection::LeftToRight, want), nLine, line + " LTR");
            if (nBits & 4) tally.Add(Check(bidi, text, BidiDirection::RightToLeft, want), nLine, line + " RTL");
        }
    }
    std::cout << "BidiTest.txt: " << tally.nLines << " lines, " << tally.nCases << " cases, " << tally.nFailed
              << " failed\n";
    EXPECT_GT(tally.nLines, 90000);
    EXPECT_EQ(tally.nFailed, 0) << tally.firstFailures;
}

}  // namespace
}  // namespace velmora
