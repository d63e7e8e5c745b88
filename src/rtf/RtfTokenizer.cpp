#include "RtfTokenizer.h"

#include <algorithm>
#include <array>
#include <limits>

namespace velmora {

namespace {

constexpr bool IsAsciiLetter(char c) { return static_cast<unsigned char>((c | 0x20) - 'a') < 26; }
constexpr bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

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

// A parameter of any length: 18 digits already exceed the 32-bit range, so the rest is only
// passed over.
int32_t ClampedParameter(int64_t nValue, size_t nDigits, bool bNegative) {
    if (nDigits > 18) nValue = std::numeric_limits<int64_t>::max();
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
    uint64_t nPacked = 0;
    for (unsigned nShift = 0; m_nPos < nSize && IsAsciiLetter(p[m_nPos]); ++m_nPos, nShift += 8) {
        if (nShift < 64) nPacked |= static_cast<uint64_t>(static_cast<uint8_t>(p[m_nPos])) << nShift;
    }
    token.nPackedName = m_nPos - nNameStart <= 8 ? nPacked : 0;
    token.kind = RtfTokenKind::ControlWord;
    token.text = m_bytes.substr(nNameStart, m_nPos - nNameStart);

    const bool bNegative = m_nPos + 1 < nSize && p[m_nPos] == '-' && IsDigit(p[m_nPos + 1]);
    if (bNegative) ++m_nPos;
    if (m_nPos < nSize && IsDigit(p[m_nPos])) {
        int64_t nValue = 0;
        size_t nDigits = 0;
        for (; m_nPos < nSize && IsDigit(p[m_nPos]); ++m_nPos, ++nDigits) {
            if (nDigits < 18) nValue = nValue * 10 + (p[m_nPos] - '0');
        }
        token.bHasParam = true;
        token.nParam = ClampedParameter(nValue, nDigits, bNegative);
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
