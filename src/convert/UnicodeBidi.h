#pragma once
// The Unicode Bidirectional Algorithm (UAX #9) over one paragraph, by GNU FriBidi: the levels are
// resolved once for the whole paragraph, then any line of it is put in visual order with the
// line rules (trailing whitespace to the paragraph level, reversal of the level runs).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class BidiDirection {
    LeftToRight,
    RightToLeft,
    Auto
};

// A stretch of a line that stands in one piece on screen: characters [nStart, nStart + nLength)
// of the paragraph, shown left to right, or right to left when bRtl.
struct BidiRun {
    int32_t nStart = 0;
    int32_t nLength = 0;
    bool bRtl = false;
};

class CUnicodeBidi {
public:
    // Resolves the embedding levels of text, one paragraph (a paragraph separator inside it
    // starts another, as the algorithm says; CR LF counts as one). Auto takes the direction of
    // the first strong character, left to right when there is none. Returns false when the text
    // is too long for the library (2^31 characters) or the library fails; nothing is set then.
    bool SetParagraph(std::u32string_view text, BidiDirection eDirection);
    bool HasParagraph() const { return m_bSet; }

    // The resolved level of the paragraph that holds character nPos: 0 left to right, 1 right to left.
    int32_t ParagraphLevel(int32_t nPos = 0) const;

    // Puts characters [nStart, nEnd) of the paragraph, one line, in visual order: fills runs from
    // the left end of the line to the right. A line that crosses a paragraph separator is ordered
    // part by part, the parts placed in the reading order of the first. pLevels, when given,
    // receives the resolved level of every character of the line, line rules applied. Returns
    // false (runs empty) for an empty or invalid range or when no paragraph is set.
    bool OrderLine(int32_t nStart, int32_t nEnd, std::vector<BidiRun>& runs, std::vector<uint8_t>* pLevels = nullptr);

private:
    // One paragraph in the algorithm's sense: [nStart, nEnd) of the text and its level.
    struct Part {
        int32_t nStart;
        int32_t nEnd;
        uint8_t nLevel;
    };
    bool OrderPart(int32_t nStart, int32_t nEnd, uint8_t nParagraphLevel, std::vector<BidiRun>& runs,
                   std::vector<uint8_t>* pLevels);

    bool m_bSet = false;
    int32_t m_nLength = 0;             // characters of the paragraph
    std::vector<uint32_t> m_types;     // bidirectional class of every character
    std::vector<uint32_t> m_brackets;  // paired-bracket property of every character
    std::vector<uint8_t> m_levels;     // resolved embedding levels, before the line rules
    std::vector<Part> m_parts;
    std::vector<uint8_t> m_lineLevels;  // scratch for one line
    std::vector<int32_t> m_lineMap;     // scratch for one line: visual position -> character
    std::vector<size_t> m_partStarts;   // scratch for one line: its first run in each part
};

}  // namespace velmora
