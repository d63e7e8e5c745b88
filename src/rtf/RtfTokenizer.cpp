#include "RtfTokenizer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace velmora {

namespace {

constexpr bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a parameter of any length: 18 digits already exceed the 32-bit range, so the rest only
// needs to be passed over.
int32_t ClampedParameter(std::string_view digits, bool bNegative) {
    int64_t nValue = 0;
    const std::string_view head = digits.substr(0, 18);
    std::from_chars(head.data(), head.data() + head.size(), nValue);
    if (digits.size() > head.size()) nValue = std::numeric_limits<int64_t>::max();
    if (bNegative) nValue = -nValue;
    return static_cast<int32_t>(std::clamp<int64_t>(nValue, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

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
        if (nCount == sizeof m_hexBytes || m_nPos + 1 >= nSize || p[m_nPos] != '\\' || p[m_nPos + 1] != '\'') break;
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

void CRtfTokenizer::ReadControlWord(RtfToken& token) {
    const size_t nSize = m_bytes.size();
    const char* p = m_bytes.data();
    const size_t nNameStart = m_nPos;
    while (m_nPos < nSize && IsAsciiLetter(p[m_nPos])) ++m_nPos;
    token.kind = RtfTokenKind::ControlWord;
    token.text = m_bytes.substr(nNameStart, m_nPos - nNameStart);

    const bool bNegative = m_nPos + 1 < nSize && p[m_nPos] == '-' && IsDigit(p[m_nPos + 1]);
    if (bNegative) ++m_nPos;
    if (m_nPos < nSize && IsDigit(p[m_nPos])) {
        const size_t nDigitStart = m_nPos;
        while (m_nPos < nSize && IsDigit(p[m_nPos])) ++m_nPos;
        token.bHasParam = true;
        token.nParam = ClampedParameter(m_bytes.substr(nDigitStart, m_nPos - nDigitStart), bNegative);
    } else {
        token.nParam = 0;
    }
    if (m_nPos < nSize && p[m_nPos] == ' ') ++m_nPos;  // the delimiter belongs to the word

    const std::string_view name = token.text;
    if (token.bHasParam && name.size() == 3 && name[0] == 'b' && name[1] == 'i' && name[2] == 'n') {
        const size_t nWanted = token.nParam > 0 ? static_cast<size_t>(token.nParam) : 0;
        const size_t nLength = std::min(nWanted, nSize - m_nPos);
        if (nLength < nWanted) m_bBinaryCutShort = true;
        token.kind = RtfTokenKind::Binary;
        token.text = m_bytes.substr(m_nPos, nLength);
        m_nPos += nLength;
    }
}

}  // namespace velmora
