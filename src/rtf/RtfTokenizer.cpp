#include "RtfTokenizer.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

using rtf_detail::IsAsciiLetter;

// The value of a hexadecimal digit, or -1.
constexpr std::array<int8_t, 256> MakeHexValues() {
    std::array<int8_t, 256> values{};
    values.fill(-1);
    for (int c = '0'; c <= '9'; ++c) values[static_cast<size_t>(c)] = static_cast<int8_t>(c - '0');
    for (int c = 'a'; c <= 'f'; ++c) values[static_cast<size_t>(c)] = static_cast<int8_t>(c - 'a' + 10);
    for (int c = 'A'; c <= 'F'; ++c) values[static_cast<size_t>(c)] = static_cast<int8_t>(c - 'A' + 10);
    return values;
}
constexpr std::array<int8_t, 256> kHexValues = MakeHexValues();

int HexValue(char c) { return kHexValues[static_cast<uint8_t>(c)]; }

}  // namespace

void CRtfTokenizer::ReadControl(RtfToken& token) {
    ++m_nPos;  // the backslash
    if (m_nPos >= m_bytes.size()) {
        token.kind = RtfTokenKind::End;  // a lone backslash at the very end means nothing
        return;
    }
    const char c = m_bytes[m_nPos];
    if (IsAsciiLetter(c)) {
        ReadControlWord(token);
        return;
    }
    if (c == '\'') {
        ReadHexBytes(token);
        return;
    }
    ++m_nPos;
    token.kind = RtfTokenKind::ControlSymbol;
    token.chSymbol = (c == '\r') ? '\n' : c;
}

// Text in a code page other than ASCII comes as long runs of \'xx; one token takes them all.
void CRtfTokenizer::ReadHexBytes(RtfToken& token) {
    const size_t nSize = m_bytes.size();
    const char* p = m_bytes.data();
    size_t nCount = 0;
    // m_nPos is at the quote of the first escape.
    for (;;) {
        const int nHigh = m_nPos + 1 < nSize ? HexValue(p[m_nPos + 1]) : -1;
        const int nLow = m_nPos + 2 < nSize ? HexValue(p[m_nPos + 2]) : -1;
        if (nHigh < 0 || nLow < 0) break;
        m_hexBytes[nCount++] = static_cast<char>(nHigh * 16 + nLow);
        m_nPos += 3;
        if (nCount == kHexBytesSize || m_nPos + 1 >= nSize || p[m_nPos] != '\\' || p[m_nPos + 1] != '\'') break;
        ++m_nPos;  // the backslash of the next escape
    }
    if (nCount > 0) {
        token.kind = RtfTokenKind::HexBytes;
        token.text = std::string_view(m_hexBytes, nCount);
        return;
    }
    // A broken escape: the symbol alone, which the reader ignores. Like other readers, it takes the
    // two characters where the digits should be with it, unless they are the file's structure.
    ++m_nPos;
    for (int i = 0; i < 2 && m_nPos < nSize && p[m_nPos] != '\\' && p[m_nPos] != '{' && p[m_nPos] != '}'; ++i) ++m_nPos;
    token.kind = RtfTokenKind::ControlSymbol;
    token.chSymbol = '\'';
}

bool CRtfTokenizer::HexEscapeAt(size_t nPos) const {
    const char* p = m_bytes.data();
    return nPos + 3 < m_bytes.size() && p[nPos + 1] == '\'' && (HexValue(p[nPos + 2]) | HexValue(p[nPos + 3])) >= 0;
}

// m_nPos is at plain text or at a whole \'xx. Text alone needs no copy: the token shows it where
// it stands; once an escape or a line end comes, the bytes gather in m_joinedText.
bool CRtfTokenizer::ReadJoinedText(RtfToken& token) {
    const size_t nSize = m_bytes.size();
    const char* p = m_bytes.data();
    const size_t nStart = m_nPos;
    token.kind = RtfTokenKind::Text;
    size_t nCount = 0;
    if (p[nStart] != '\\') {
        size_t nPos = nStart;
        while (nPos < nSize && !rtf_detail::kTextStops[static_cast<uint8_t>(p[nPos])]) ++nPos;
        const bool bGoesOn =
            nPos < nSize && (p[nPos] == '\r' || p[nPos] == '\n' || p[nPos] == '\0' || HexEscapeAt(nPos));
        if (!bGoesOn || nPos - nStart >= kJoinedTextSize) {
            token.text = std::string_view(p + nStart, nPos - nStart);
            m_nPos = nPos;
            return true;
        }
        for (; nCount < nPos - nStart; ++nCount) m_joinedText[nCount] = p[nStart + nCount];
        m_nPos = nPos;
    }
    nCount += JoinText(nCount);
    token.text = std::string_view(m_joinedText, nCount);
    return m_nPos > nStart;
}

namespace {

// Where JoinTextInto puts the bytes: as they are, or decoded into characters.
struct JoinedBytesOut {
    char* pOut;
    void Put(char c) { *pOut++ = c; }
};
struct JoinedCharsOut {
    char32_t* pOut;
    const char32_t* pByteChars;
    void Put(char c) {
        const auto byte = static_cast<uint8_t>(c);
        *pOut = pByteChars[byte];
        pOut += byte != 0;  // \'00 carries nothing
    }
};

}  // namespace

template <typename Out>
size_t CRtfTokenizer::JoinTextInto(Out& out, size_t nRoom) {
    const size_t nSize = m_bytes.size();
    const char* p = m_bytes.data();
    size_t nPos = m_nPos;
    size_t nInRow = m_nHexInRow;
    size_t nRowEnd = m_nHexRowEnd;
    size_t nCount = 0;
    while (nPos < nSize && nCount < nRoom) {
        const char c = p[nPos];
        if (c == '\\') {
            // Rows of whole escapes, the bulk of a document in a code page, while four bytes are left
            // and the token has room: one bound for both.
            const size_t nRowStart = nPos;
            const size_t nLimit = std::min(nSize >= 4 ? nSize - 3 : 0, nPos + 4 * (nRoom - nCount));
            while (nPos < nLimit && p[nPos] == '\\' && p[nPos + 1] == '\'') {
                const int nHigh = HexValue(p[nPos + 2]);
                const int nLow = HexValue(p[nPos + 3]);
                if ((nHigh | nLow) < 0) break;
                out.Put(static_cast<char>(nHigh * 16 + nLow));
                ++nCount;
                nPos += 4;
            }
            if (nPos != nRowStart) {
                const size_t nEscapes = (nPos - nRowStart) / 4;
                nInRow = nRowStart == nRowEnd ? nInRow + nEscapes : nEscapes;
                nRowEnd = nPos;
            }
            if (nPos >= nSize || nCount >= nRoom || p[nPos] != '\\') continue;
            if (nPos + 1 >= nSize || p[nPos + 1] != '\'') break;
            const int nHigh = nPos + 3 < nSize ? HexValue(p[nPos + 2]) : -1;
            const int nLow = nPos + 3 < nSize ? HexValue(p[nPos + 3]) : -1;
            const bool bInRow = nPos == nRowEnd;
            if ((nHigh | nLow) >= 0) {
                nInRow = bInRow ? nInRow + 1 : 1;
                out.Put(static_cast<char>(nHigh * 16 + nLow));
                ++nCount;
                nPos += 4;
                nRowEnd = nPos;
            } else if (bInRow && nInRow % kHexBytesSize != 0) {
                // A broken escape in the midst of a row of them loses its backslash, and its
                // quote reads as text, as in a row that ReadHexBytes reads.
                ++nPos;
            } else {
                break;
            }
        } else if (!rtf_detail::kTextStops[static_cast<uint8_t>(c)]) {
            do {
                out.Put(p[nPos++]);
                ++nCount;
            } while (nPos < nSize && nCount < nRoom && !rtf_detail::kTextStops[static_cast<uint8_t>(p[nPos])]);
        } else if (c == '{' || c == '}') {
            break;
        } else {
            ++nPos;  // CR, LF, NUL
        }
    }
    m_nPos = nPos;
    m_nHexInRow = nInRow;
    m_nHexRowEnd = nRowEnd;
    return nCount;
}

// Appends to m_joinedText from nCount on while the text goes on; returns the bytes appended.
size_t CRtfTokenizer::JoinText(size_t nCount) {
    JoinedBytesOut out{m_joinedText + nCount};
    return JoinTextInto(out, kJoinedTextSize - nCount);
}

// A whole escape, or a broken one that JoinTextInto reads as text in the midst of a row.
bool CRtfTokenizer::EscapeJoinsText() const {
    return HexEscapeAt(m_nPos) || (m_nPos == m_nHexRowEnd && m_nHexInRow % kHexBytesSize != 0);
}

size_t CRtfTokenizer::DecodeJoinedText(char32_t* pOut, size_t nRoom, const char32_t* pByteChars) {
    JoinedCharsOut out{pOut, pByteChars};
    JoinTextInto(out, nRoom);
    return static_cast<size_t>(out.pOut - pOut);
}

}  // namespace velmora
