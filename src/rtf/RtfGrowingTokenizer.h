#pragma once
// The tokenizer over input that is still arriving: it gives exactly the tokens the whole input
// would give. What has arrived stays where it is, so a token that comes near the end of it
// before the input has ended is read again from its start once more has come.

#include "RtfGrowingInput.h"
#include "RtfTokenizer.h"

#include <cstddef>

namespace velmora {

class CRtfGrowingTokenizer {
public:
    // Reads input from its byte nStart on; offsets count from there.
    CRtfGrowingTokenizer(IRtfGrowingInput& input, size_t nStart);

    // As CRtfTokenizer's. Each reads again, with more input, what came too near the end of what
    // had arrived.
    VELMORA_ALWAYS_INLINE bool Next(RtfToken& token, bool bJoinText = false) {
        const Mark mark = Here();
        for (;;) {
            const bool bGot = m_tokenizer.Next(token, bJoinText);
            if (Sure()) [[likely]]
                return bGot;
            GoBackWithMore(mark);
        }
    }
    VELMORA_ALWAYS_INLINE bool AtJoinedText() {
        const Mark mark = Here();
        for (;;) {
            const bool bAt = m_tokenizer.AtJoinedText();
            if (Sure()) [[likely]]
                return bAt;
            GoBackWithMore(mark);
        }
    }
    VELMORA_ALWAYS_INLINE size_t DecodeJoinedText(char32_t* pOut, size_t nRoom, const char32_t* pByteChars) {
        const Mark mark = Here();
        for (;;) {
            const size_t nChars = m_tokenizer.DecodeJoinedText(pOut, nRoom, pByteChars);
            if (Sure()) [[likely]]
                return nChars;
            GoBackWithMore(mark);
        }
    }
    bool TakeTrailAfter(char lead, char& trail) {
        const Mark mark = Here();
        for (;;) {
            const bool bTook = m_tokenizer.TakeTrailAfter(lead, trail);
            if (Sure()) [[likely]]
                return bTook;
            GoBackWithMore(mark);
        }
    }
    size_t Offset() const { return m_tokenizer.Offset(); }
    bool BinaryCutShort() const { return m_tokenizer.BinaryCutShort(); }
    const CRtfTokenizer& Tokenizer() const { return m_tokenizer; }
    // The bytes arrived so far, counted from the input's first byte.
    size_t Arrived() const { return m_nStart + m_tokenizer.m_bytes.size(); }

    // More input is asked for this much at a time at least.
    static constexpr size_t kStepBytes = size_t{1} << 20;

private:
    // The tokenizer's state before a token.
    struct Mark {
        size_t nPos, nHexInRow, nHexRowEnd;
        bool bBinaryCutShort;
    };
    VELMORA_ALWAYS_INLINE Mark Here() const {
        return {m_tokenizer.m_nPos, m_tokenizer.m_nHexInRow, m_tokenizer.m_nHexRowEnd, m_tokenizer.m_bBinaryCutShort};
    }
    // Whether what the tokenizer just read is what the whole input gives.
    VELMORA_ALWAYS_INLINE bool Sure() const { return m_tokenizer.m_nPos + CRtfTokenizer::kLookAhead <= m_nSure; }
    // Puts the tokenizer back at mark, with more input: out of line, as it is seldom needed.
    void GoBackWithMore(const Mark& mark);
    void SeeMore(size_t nTokenStart);
    void Show(std::string_view bytes);

    CRtfTokenizer m_tokenizer;
    IRtfGrowingInput& m_input;
    size_t m_nStart;
    // What has arrived, or, once the input has ended, a bound no token reaches: a token that
    // ends less than kLookAhead before it may end otherwise with more.
    size_t m_nSure = 0;
};

}  // namespace velmora
