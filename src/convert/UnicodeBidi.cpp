#include "UnicodeBidi.h"

#include <fribidi.h>

#include <algorithm>
#include <limits>
#include <numeric>

namespace velmora {

static_assert(sizeof(FriBidiCharType) == sizeof(uint32_t) && sizeof(FriBidiBracketType) == sizeof(uint32_t));
static_assert(sizeof(FriBidiLevel) == sizeof(uint8_t) && sizeof(FriBidiStrIndex) == sizeof(int32_t));

namespace {

FriBidiParType ParTypeFor(BidiDirection eDirection) {
    switch (eDirection) {
    case BidiDirection::LeftToRight: return FRIBIDI_PAR_LTR;
    case BidiDirection::RightToLeft: return FRIBIDI_PAR_RTL;
    case BidiDirection::Auto: break;
    }
    return FRIBIDI_PAR_ON;
}

// The classes of ASCII, looked up once: most characters of a document are ASCII or Hebrew letters.
struct AsciiClasses {
    FriBidiCharType types[128];
    FriBidiBracketType brackets[128];
    AsciiClasses() {
        for (FriBidiChar ch = 0; ch < 128; ++ch) {
            types[ch] = fribidi_get_bidi_type(ch);
            brackets[ch] = types[ch] == FRIBIDI_TYPE_ON ? fribidi_get_bracket(ch) : FRIBIDI_NO_BRACKET;
        }
    }
};

const AsciiClasses kAscii;

inline void ClassOf(FriBidiChar ch, FriBidiCharType& type, FriBidiBracketType& bracket) {
    if (ch < 128) {
        type = kAscii.types[ch];
        bracket = kAscii.brackets[ch];
    } else if (ch >= 0x5D0 && ch <= 0x5EA) {
        type = FRIBIDI_TYPE_RTL;  // the Hebrew letters
        bracket = FRIBIDI_NO_BRACKET;
    } else {
        type = fribidi_get_bidi_type(ch);
        // Only characters of class ON can pair as brackets.
        bracket = type == FRIBIDI_TYPE_ON ? fribidi_get_bracket(ch) : FRIBIDI_NO_BRACKET;
    }
}

FriBidiLevel* LevelsOf(std::vector<uint8_t>& levels, size_t nAt) {
    return reinterpret_cast<FriBidiLevel*>(levels.data() + nAt);
}

}  // namespace

bool CUnicodeBidi::SetParagraph(std::u32string_view text, BidiDirection eDirection) {
    m_bSet = false;
    if (text.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return false;
    const auto n = static_cast<int32_t>(text.size());
    // The arrays only grow: every entry a paragraph uses is written before it is read.
    if (m_types.size() < text.size()) {
        m_types.resize(text.size());
        m_brackets.resize(text.size());
        m_levels.resize(text.size());
    }
    m_nLength = n;
    m_parts.clear();
    int32_t nPartStart = 0;
    for (int32_t i = 0; i < n; ++i) {
        const FriBidiChar ch = text[static_cast<size_t>(i)];
        ClassOf(ch, m_types[static_cast<size_t>(i)], m_brackets[static_cast<size_t>(i)]);
        const FriBidiCharType type = m_types[static_cast<size_t>(i)];
        const bool bCrBeforeLf = ch == U'\r' && i + 1 < n && text[static_cast<size_t>(i) + 1] == U'\n';
        if (type == FRIBIDI_TYPE_BS && !bCrBeforeLf) {
            m_parts.push_back({nPartStart, i + 1, 0});
            nPartStart = i + 1;
        }
    }
    if (nPartStart < n || m_parts.empty()) m_parts.push_back({nPartStart, n, 0});
    for (Part& part : m_parts) {
        FriBidiParType dir = ParTypeFor(eDirection);
        const auto nAt = static_cast<size_t>(part.nStart);
        if (part.nEnd > part.nStart &&
            fribidi_get_par_embedding_levels_ex(m_types.data() + nAt, m_brackets.data() + nAt, part.nEnd - part.nStart,
                                                &dir, LevelsOf(m_levels, nAt)) == 0) {
            return false;
        }
        part.nLevel = FRIBIDI_IS_RTL(dir) ? 1 : 0;
    }
    m_bSet = true;
    return true;
}

int32_t CUnicodeBidi::ParagraphLevel(int32_t nPos) const {
    if (!m_bSet) return 0;
    for (const Part& part : m_parts) {
        if (nPos < part.nEnd) return part.nLevel;
    }
    return m_parts.back().nLevel;
}

bool CUnicodeBidi::OrderPart(int32_t nStart, int32_t nEnd, uint8_t nParagraphLevel, std::vector<BidiRun>& runs,
                             std::vector<uint8_t>* pLevels) {
    const int32_t n = nEnd - nStart;
    const auto nAt = static_cast<size_t>(nStart);
    // The line rules change the levels of trailing blanks, so the line works on a copy and the
    // paragraph's levels serve every line of it.
    m_lineLevels.assign(m_levels.begin() + static_cast<std::ptrdiff_t>(nAt), m_levels.begin() + nEnd);
    const size_t nFirstRun = runs.size();
    if (std::all_of(m_lineLevels.begin(), m_lineLevels.end(), [=](uint8_t l) { return l == nParagraphLevel; })) {
        // A line all at the paragraph's level stands in one piece, whatever the line rules say.
        runs.push_back({nStart, n, (nParagraphLevel & 1) != 0});
        if (pLevels != nullptr) pLevels->insert(pLevels->end(), m_lineLevels.begin(), m_lineLevels.end());
        return true;
    }
    m_lineMap.resize(static_cast<size_t>(n));
    std::iota(m_lineMap.begin(), m_lineMap.end(), nStart);
    const FriBidiParType dir = nParagraphLevel & 1 ? FRIBIDI_PAR_RTL : FRIBIDI_PAR_LTR;
    if (fribidi_reorder_line(0, m_types.data() + nAt, n, 0, dir, LevelsOf(m_lineLevels, 0), nullptr,
                             m_lineMap.data()) == 0) {
        return false;
    }
    for (const int32_t c : m_lineMap) {
        const bool bRtl = (m_lineLevels[static_cast<size_t>(c - nStart)] & 1) != 0;
        if (runs.size() > nFirstRun) {
            BidiRun& last = runs.back();
            if (last.bRtl == bRtl && !bRtl && c == last.nStart + last.nLength) {
                ++last.nLength;
                continue;
            }
            if (last.bRtl == bRtl && bRtl && c == last.nStart - 1) {
                --last.nStart;
                ++last.nLength;
                continue;
            }
        }
        runs.push_back({c, 1, bRtl});
    }
    if (pLevels != nullptr) pLevels->insert(pLevels->end(), m_lineLevels.begin(), m_lineLevels.end());
    return true;
}

bool CUnicodeBidi::OrderLine(int32_t nStart, int32_t nEnd, std::vector<BidiRun>& runs, std::vector<uint8_t>* pLevels) {
    runs.clear();
    if (pLevels != nullptr) pLevels->clear();
    if (!m_bSet || nStart < 0 || nStart >= nEnd || nEnd > m_nLength) return false;
    auto part = std::upper_bound(m_parts.begin(), m_parts.end(), nStart,
                                 [](int32_t pos, const Part& p) { return pos < p.nEnd; });
    const bool bRtl = (part->nLevel & 1) != 0;
    std::vector<size_t>& partStarts = m_partStarts;
    partStarts.clear();
    for (int32_t pos = nStart; pos < nEnd; ++part) {
        const int32_t nPartEnd = std::min(part->nEnd, nEnd);
        partStarts.push_back(runs.size());
        if (!OrderPart(pos, nPartEnd, part->nLevel, runs, pLevels)) {
            runs.clear();
            if (pLevels != nullptr) pLevels->clear();
            return false;
        }
        pos = nPartEnd;
    }
    if (bRtl && partStarts.size() > 1) {
        // Each part is a paragraph of its own; on a right-to-left line the first stands rightmost.
        std::vector<BidiRun> placed;
        placed.reserve(runs.size());
        size_t nEndOfPart = runs.size();
        for (size_t p = partStarts.size(); p-- > 0;) {
            placed.insert(placed.end(), runs.begin() + static_cast<std::ptrdiff_t>(partStarts[p]),
                          runs.begin() + static_cast<std::ptrdiff_t>(nEndOfPart));
            nEndOfPart = partStarts[p];
        }
        runs.swap(placed);
    }
    return true;
}

}  // namespace velmora
