#include "RtfGrowingTokenizer.h"

#include <algorithm>
#include <limits>

namespace velmora {

CRtfGrowingTokenizer::CRtfGrowingTokenizer(IRtfGrowingInput& input, size_t nStart)
    : m_tokenizer({}), m_input(input), m_nStart(nStart) {
    Show(m_input.Extend(nStart + kStepBytes));
}

void CRtfGrowingTokenizer::GoBackWithMore(const Mark& mark) {
    m_tokenizer.m_nPos = mark.nPos;
    m_tokenizer.m_nHexInRow = mark.nHexInRow;
    m_tokenizer.m_nHexRowEnd = mark.nHexRowEnd;
    m_tokenizer.m_bBinaryCutShort = mark.bBinaryCutShort;
    SeeMore(mark.nPos);
}

// Asks for more input than the token from nTokenStart has seen, twice as much for a long one, so
// that reading it again costs no more than reading it once.
void CRtfGrowingTokenizer::SeeMore(size_t nTokenStart) {
    const size_t nSeen = m_tokenizer.m_bytes.size() - nTokenStart;
    Show(m_input.Extend(Arrived() + std::max(kStepBytes, nSeen)));
}

void CRtfGrowingTokenizer::Show(std::string_view bytes) {
    m_tokenizer.m_bytes = bytes.substr(std::min(m_nStart, bytes.size()));
    m_nSure = m_input.Ended() ? std::numeric_limits<size_t>::max() / 2 : m_tokenizer.m_bytes.size();
}

}  // namespace velmora
