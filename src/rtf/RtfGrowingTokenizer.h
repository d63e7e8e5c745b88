#pragma once
// The tokenizer over input that is still arriving: it gives exactly the tokens the whole input
// would give. What has arrived stays where it is, so a token that comes near the end of it
// before the input has ended is read again from its start once more has come.

#include "RtfGrowingInput.h"
#include "RtfTokenizer.h"

#include <algorithm>
#include <cstddef>

namespace velmora {

class CRtfGrowingTokenizer {
public:
    // Reads input from its byte nStart on; offsets count from there.
    CRtfGrowingTokenizer(IRtfGrowingInput& input, size_t nStart) : m_tokenizer({}), m_input(input), m_nStart(nStart) {
        Show(m_input.Extend(nStart + kStepBytes));
    }

    // As CRtfTokenizer's.
    bool Next(RtfToken& token, bool bJoinText = false) {
        return Exactly([&] { return m_tokenizer.Next(token, bJoinText); });
    }
    bool AtJoinedText() {
        return Exactly([&] { return m_tokenizer.AtJoinedText(); });
    }
    size_t DecodeJoinedText(char32_t* pOut, size_t nRoom, const char32_t* pByteChars) {
        return Exactly([&] { return m_tokenizer.DecodeJoinedText(pOut, nRoom, pByteChars); });
    }
    size_t Offset() const { return m_tokenizer.Offset(); }
    bool BinaryCutShort() const { return m_tokenizer.BinaryCutShort(); }
    const CRtfTokenizer& Tokenizer() const { return m_tokenizer; }
    // The bytes arrived so far, counted from the input's first byte.
    size_t Arrived() const { return m_nStart + m_tokenizer.m_bytes.size(); }

    // More input is asked for this much at a time at least.
    static constexpr size_t kStepBytes = size_t{1} << 20;

private:
    template <typename Read>
    auto Exactly(Read read) -> decltype(read()) {
        const size_t nPos = m_tokenizer.m_nPos;
        const size_t nInRow = m_tokenizer.m_nHexInRow;
        const size_t nRowEnd = m_tokenizer.m_nHexRowEnd;
        const bool bCutShort = m_tokenizer.m_bBinaryCutShort;
        for (;;) {
            auto result = read();
            if (m_bEnded || m_tokenizer.m_nPos + CRtfTokenizer::kLookAhead <= m_tokenizer.m_bytes.size()) return result;
            m_tokenizer.m_nPos = nPos;
            m_tokenizer.m_nHexInRow = nInRow;
            m_tokenizer.m_nHexRowEnd = nRowEnd;
            m_tokenizer.m_bBinaryCutShort = bCutShort;
            SeeMore(nPos);
        }
    }
    // Asks for more input than the token from nTokenStart has seen, twice as much for a long
    // one, so that reading it again costs no more than reading it once.
    void SeeMore(size_t nTokenStart) {
        const size_t nSeen = m_tokenizer.m_bytes.size() - nTokenStart;
        Show(m_input.Extend(Arrived() + std::max(kStepBytes, nSeen)));
    }
    void Show(std::string_view bytes) {
        m_tokenizer.m_bytes = bytes.substr(std::min(m_nStart, bytes.size()));
        m_bEnded = m_input.Ended();
    }

    CRtfTokenizer m_tokenizer;
    IRtfGrowingInput& m_input;
    size_t m_nStart;
    bool m_bEnded = false;
};

}  // namespace velmora
