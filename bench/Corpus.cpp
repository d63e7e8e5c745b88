#include "Corpus.h"

#include "PlainTextDocument.h"

#include <random>

namespace velmora::bench {

namespace {

// clang-format off
constexpr std::u32string_view kHebrewWords[] = {
    U"\u05E9\u05DC\u05D5\u05DD", U"\u05E2\u05D5\u05DC\u05DD", U"\u05D1\u05D9\u05EA", U"\u05E1\u05E4\u05E8",
    U"\u05DE\u05D7\u05E9\u05D1", U"\u05D7\u05D3\u05E9", U"\u05D9\u05D5\u05DD", U"\u05E9\u05E0\u05D4",
    U"\u05D4\u05DE\u05D7\u05D9\u05E8", U"\u05D1\u05DC\u05D1\u05D3", U"\u05E2\u05D1\u05E8\u05D9\u05EA"};
// clang-format on
constexpr std::u32string_view kLatinWords[] = {U"Velmora", U"HTML", U"web", U"Dreamweaver", U"page", U"text"};
constexpr std::u32string_view kNumbers[] = {U"12", U"3.14", U"2024", U"49.90", U"12:30", U"1,000"};
constexpr std::u32string_view kPunct[] = {U",", U".", U":", U";", U"!", U"?", U"-"};

// Lines of nMinLine + up to nSpread characters, words drawn by pickWord, each line ended by CR LF.
template <typename PickWord>
std::u32string MakeLines(size_t nChars, uint32_t nSeed, size_t nMinLine, size_t nSpread, PickWord pickWord) {
    std::mt19937 rng(nSeed);
    std::u32string text;
    text.reserve(nChars + nMinLine + nSpread + 2);
    std::u32string line;
    while (text.size() < nChars) {
        const size_t nLine = nMinLine + rng() % (nSpread + 1);
        line.clear();
        while (line.size() < nLine) {
            if (!line.empty()) line += U' ';
            pickWord(rng, line);
        }
        text.append(line, 0, nLine);
        text += U"\r\n";
    }
    return text;
}

}  // namespace

std::u32string MakeLongParagraphText(size_t nChars, uint32_t nSeed) {
    return MakeLines(nChars, nSeed, 2000, 3000, [](std::mt19937& rng, std::u32string& line) {
        const auto kind = static_cast<uint32_t>(rng() % 40);
        if (kind < 34) {
            line += kHebrewWords[rng() % std::size(kHebrewWords)];
            if (kind == 0) line += kPunct[rng() % std::size(kPunct)];
        } else if (kind < 37) {
            line += kLatinWords[rng() % std::size(kLatinWords)];
        } else {
            line += kNumbers[rng() % std::size(kNumbers)];
        }
    });
}

std::u32string MakeShortLineText(size_t nChars, uint32_t nSeed) {
    static constexpr std::u32string_view kSigns[] = {U"(", U")", U"[", U"]", U"-", U"+", U"=", U"/", U"%", U"$", U"\""};
    return MakeLines(nChars, nSeed, 4, 36, [](std::mt19937& rng, std::u32string& line) {
        const auto kind = static_cast<uint32_t>(rng() % 10);
        if (kind < 3) {
            line += kNumbers[rng() % std::size(kNumbers)];
        } else if (kind < 5) {
            line += kHebrewWords[rng() % std::size(kHebrewWords)];
            line += kPunct[rng() % std::size(kPunct)];
        } else if (kind < 7) {
            line += kSigns[rng() % std::size(kSigns)];
            line += kNumbers[rng() % std::size(kNumbers)];
            line += kSigns[rng() % std::size(kSigns)];
        } else if (kind < 9) {
            line += kHebrewWords[rng() % std::size(kHebrewWords)];
        } else {
            line += kLatinWords[rng() % std::size(kLatinWords)];
            line += kPunct[rng() % std::size(kPunct)];
        }
    });
}

std::u32string MakeCorpusText(size_t nChars, uint32_t nSeed) {
    std::mt19937 rng(nSeed);  // 32-bit results, narrowed explicitly below
    auto pick = [&](auto& list) { return list[rng() % std::size(list)]; };
    std::u32string text;
    text.reserve(nChars + 256);
    while (text.size() < nChars) {
        const size_t nLine = 40 + rng() % 161;
        std::u32string line;
        while (line.size() < nLine) {
            const auto kind = static_cast<uint32_t>(rng() % 20);
            if (!line.empty()) line += U' ';
            if (kind < 11) {
                line += pick(kHebrewWords);
            } else if (kind < 14) {
                line += pick(kLatinWords);
            } else if (kind < 16) {
                line += pick(kNumbers);
            } else if (kind < 18) {
                line += U'(';
                line += pick(kHebrewWords);
                line += U')';
            } else {
                line += pick(kHebrewWords);
                line += pick(kPunct);
            }
        }
        text += line.substr(0, nLine);
        text += U"\r\n";
    }
    return text;
}

TextModel MakeCorpusModel(const std::u32string& text, uint32_t nSeed) {
    std::mt19937 rng(nSeed);  // 32-bit results, narrowed explicitly below
    TextModel model;
    model.Reserve(text.size());
    const CharFormat hebrew = HebrewTypingFormat();
    const CharFormat latin = MakeCharFormat(false, false, false, false, true, 0, 240, ANSI_CHARSET);
    const CharFormat bold = MakeCharFormat(true, false, false, false, true, 0, 240, HEBREW_CHARSET);
    const CharFormat red = MakeCharFormat(false, false, false, false, false, 0x0000FF, 320, HEBREW_CHARSET);
    static constexpr uint16_t kAligns[] = {PFA_RIGHT, PFA_RIGHT, PFA_RIGHT, PFA_CENTER, PFA_LEFT};
    model.SetParagraphAlignment(PFA_RIGHT);
    size_t p = 0;
    while (p < text.size()) {
        const size_t end = text.find(U"\r\n", p);
        const std::u32string_view line = std::u32string_view(text).substr(p, end - p);
        size_t w = 0;
        while (w < line.size()) {
            size_t e = line.find(U' ', w);
            e = e == std::u32string_view::npos ? line.size() : e + 1;
            const std::u32string_view word = line.substr(w, e - w);
            const CharFormat* cf = word[0] < 0x80 && word[0] != U'(' ? &latin : &hebrew;
            const auto style = static_cast<uint32_t>(rng() % 16);
            if (style == 0) cf = &bold;
            if (style == 1) cf = &red;
            model.Append(word, *cf);
            w = e;
        }
        p = end + 2;
        if (p < text.size()) {
            model.BreakParagraph(hebrew);
            model.SetParagraphAlignment(kAligns[rng() % std::size(kAligns)]);
        }
    }
    return model;
}

}  // namespace velmora::bench
