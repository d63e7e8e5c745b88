#pragma once
// Cuts RTF bytes into tokens: group braces, control words with their parameter, control symbols,
// \'xx bytes, \bin data and runs of plain text. It never allocates and goes through the input once.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

// The reader's loop calls Next once per token: a call there costs more than the code it saves.
#if defined(__GNUC__)
#define VELMORA_ALWAYS_INLINE [[gnu::always_inline]]
#else
#define VELMORA_ALWAYS_INLINE
#endif

namespace velmora {

enum class RtfTokenKind : uint8_t {
    End,            // no more input
    GroupStart,     // {
    GroupEnd,       // }
    ControlWord,    // \name or \nameN: text holds the name
    ControlSymbol,  // \ and one other character, in chSymbol; "\" before CR or LF gives '\n'
    HexBytes,       // one or more \'xx in a row: text holds their bytes
    Binary,         // the data of \binN: text holds it (cut short at the end of the input)
    Text,           // plain bytes without \ { } CR LF NUL: text holds them
};

struct RtfToken {
    RtfTokenKind kind = RtfTokenKind::End;
    bool bHasParam = false;
    char chSymbol = 0;
    int32_t nParam = 0;  // clamped to the 32-bit signed range whatever the number of digits
    std::string_view text;
    // A control word's name of up to eight letters packed into one number, its first letter in
    // the lowest byte; 0 for a longer name. See LookUpRtfWord.
    uint64_t nPackedName = 0;
};

namespace rtf_detail {
// Bytes that end a run of plain text.
constexpr std::array<bool, 256> MakeTextStops() {
    std::array<bool, 256> stops{};
    stops['\\'] = stops['{'] = stops['}'] = true;
    stops['\r'] = stops['\n'] = stops['\0'] = true;
    return stops;
}
inline constexpr std::array<bool, 256> kTextStops = MakeTextStops();
constexpr bool IsAsciiLetter(char c) { return static_cast<unsigned char>((c | 0x20) - 'a') < 26; }
constexpr bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }
// A parameter of any length: 18 digits already exceed the 32-bit range, so the rest is only
// passed over.
inline int32_t ClampedParameter(int64_t nValue, size_t nDigits, bool bNegative) {
    if (nDigits > 18) nValue = std::numeric_limits<int64_t>::max();
    if (bNegative) nValue = -nValue;
    return static_cast<int32_t>(
        std::clamp<int64_t>(nValue, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}
}  // namespace rtf_detail

class CRtfTokenizer {
public:
    explicit CRtfTokenizer(std::string_view bytes) : m_bytes(bytes) {}

    // Fills token with the next token; returns false (token.kind End) at the end of the input.
    // bJoinText: plain text and \'xx escapes that follow one another, across line ends of the
    // file, come as one Text token holding the bytes they stand for (a NUL byte of the file left
    // out, \'00 kept), for a destination where the two mean the same; such a token is cut at
    // kJoinedTextSize bytes.
    bool Next(RtfToken& token, bool bJoinText = false);

    // For a reader that decodes the text itself: true when Next(token, true) would give a Text
    // token (line ends and NULs before it are passed over). DecodeJoinedText then reads that
    // text, as much as nRoom characters hold, writing each byte b as pByteChars[b] (a 0 there
    // writes nothing) to pOut; it returns the characters written. Once the room is full, the
    // text that follows is joined text again.
    VELMORA_ALWAYS_INLINE bool AtJoinedText() {
        const size_t nSize = m_bytes.size();
        const char* p = m_bytes.data();
        for (; m_nPos < nSize; ++m_nPos) {
            const char c = p[m_nPos];
            if (c == '\\') return m_nPos + 1 < nSize && p[m_nPos + 1] == '\'' && EscapeJoinsText();
            if (!rtf_detail::kTextStops[static_cast<uint8_t>(c)]) return true;
            if (c == '{' || c == '}') return false;
        }
        return false;
    }
    size_t DecodeJoinedText(char32_t* pOut, size_t nRoom, const char32_t* pByteChars);

    // Where a double-byte character's lead byte came as a plain byte right before the next token,
    // the byte that follows is its trail even when it is '{', '}' or '\', as double-byte writers
    // mean it: takes such a byte into trail and passes over it; false, taking nothing, otherwise.
    bool TakeTrailAfter(char lead, char& trail) {
        if (m_nPos == 0 || m_nPos >= m_bytes.size() || m_bytes[m_nPos - 1] != lead) return false;
        const char c = m_bytes[m_nPos];
        if (c != '{' && c != '}' && c != '\\') return false;
        trail = c;
        ++m_nPos;
        return true;
    }

    // Byte offset of the next token.
    size_t Offset() const { return m_nPos; }
    // True once a \binN asked for more bytes than the input holds.
    bool BinaryCutShort() const { return m_bBinaryCutShort; }

    // No token looks further than this many bytes past its end: one that ends this close to the
    // end of the input may end otherwise where more input follows.
    static constexpr size_t kLookAhead = 8;

private:
    friend class CRtfGrowingTokenizer;

    void ReadControl(RtfToken& token);
    void ReadControlWord(RtfToken& token);
    // Passes over the letters of a name from nPos; returns where they end, and nPacked as
    // RtfToken::nPackedName.
    size_t ScanName(size_t nPos, uint64_t& nPacked) const;

    void ReadHexBytes(RtfToken& token);
    bool HexEscapeAt(size_t nPos) const;
    // At \': whether joined text goes on here.
    bool EscapeJoinsText() const;
    // False, reading nothing, at an escape that is broken on its own.
    bool ReadJoinedText(RtfToken& token);
    size_t JoinText(size_t nCount);
    // Reads joined text from m_nPos while it goes on, passing each byte to out.Put, at most
    // nRoom of them; returns how many.
    template <typename Out>
    size_t JoinTextInto(Out& out, size_t nRoom);

    std::string_view m_bytes;
    size_t m_nPos = 0;
    bool m_bBinaryCutShort = false;
    static constexpr size_t kHexBytesSize = 256;
    char m_hexBytes[kHexBytesSize];  // the bytes of the last HexBytes token
    // The escapes JoinText read in a row, and where the last of them ends.
    size_t m_nHexInRow = 0;
    size_t m_nHexRowEnd = std::string_view::npos;

public:
    static constexpr size_t kJoinedTextSize = 4096;

private:
    char m_joinedText[kJoinedTextSize];  // the bytes of the last joined Text token
};

VELMORA_ALWAYS_INLINE inline bool CRtfTokenizer::Next(RtfToken& token, bool bJoinText) {
    const size_t nSize = m_bytes.size();
    const char* p = m_bytes.data();
    token.bHasParam = false;
    while (m_nPos < nSize) {
        const char c = p[m_nPos];
        switch (c) {
        case '{':
            ++m_nPos;
            token.kind = RtfTokenKind::GroupStart;
            return true;
        case '}':
            ++m_nPos;
            token.kind = RtfTokenKind::GroupEnd;
            return true;
        case '\\':
            // Most often a word: its letters are read at once.
            if (m_nPos + 1 < nSize && rtf_detail::IsAsciiLetter(p[m_nPos + 1])) {
                ++m_nPos;
                ReadControlWord(token);
                return true;
            }
            if (bJoinText && m_nPos + 1 < nSize && p[m_nPos + 1] == '\'' && ReadJoinedText(token)) return true;
            ReadControl(token);
            if (token.kind == RtfTokenKind::End) continue;
            return true;
        case '\r':
        case '\n':
        case '\0':
            ++m_nPos;  // line ends are layout of the file, NUL bytes carry nothing
            continue;
        default: {
            if (bJoinText && ReadJoinedText(token)) return true;
            const size_t nStart = m_nPos;
            while (m_nPos < nSize && !rtf_detail::kTextStops[static_cast<uint8_t>(p[m_nPos])]) ++m_nPos;
            token.kind = RtfTokenKind::Text;
            token.text = m_bytes.substr(nStart, m_nPos - nStart);
            return true;
        }
        }
    }
    token.kind = RtfTokenKind::End;
    return false;
}

// A word is the most common token: read where Next is, its fields stay in registers.

// A plain loop: it leaves the branch predictor the name's length to go by for what follows it
// (a parameter or not, a delimiter or not), which reading eight letters at once does not.
VELMORA_ALWAYS_INLINE inline size_t CRtfTokenizer::ScanName(size_t nPos, uint64_t& nPacked) const {
    const size_t nSize = m_bytes.size();
    const char* p = m_bytes.data();
    const size_t nStart = nPos;
    nPacked = 0;
    for (unsigned nShift = 0; nPos < nSize && rtf_detail::IsAsciiLetter(p[nPos]); ++nPos, nShift += 8) {
        if (nShift < 64) nPacked |= static_cast<uint64_t>(static_cast<uint8_t>(p[nPos])) << nShift;
    }
    if (nPos - nStart > 8) nPacked = 0;
    return nPos;
}

VELMORA_ALWAYS_INLINE inline void CRtfTokenizer::ReadControlWord(RtfToken& token) {
    const size_t nSize = m_bytes.size();
    const char* p = m_bytes.data();
    const size_t nNameStart = m_nPos;
    uint64_t nPacked = 0;
    size_t nPos = ScanName(nNameStart, nPacked);
    token.nPackedName = nPacked;
    token.kind = RtfTokenKind::ControlWord;
    token.text = std::string_view(p + nNameStart, nPos - nNameStart);

    const bool bNegative = nPos + 1 < nSize && p[nPos] == '-' && rtf_detail::IsDigit(p[nPos + 1]);
    if (bNegative) ++nPos;
    if (nPos < nSize && rtf_detail::IsDigit(p[nPos])) {
        int64_t nValue = 0;
        size_t nDigits = 0;
        for (; nPos < nSize && rtf_detail::IsDigit(p[nPos]); ++nPos, ++nDigits) {
            if (nDigits < 18) nValue = nValue * 10 + (p[nPos] - '0');
        }
        token.bHasParam = true;
        token.nParam = rtf_detail::ClampedParameter(nValue, nDigits, bNegative);
    } else {
        token.nParam = 0;
    }
    if (nPos < nSize) nPos += p[nPos] == ' ';  // the delimiter belongs to the word
    m_nPos = nPos;

    constexpr uint64_t kBin = 'b' | ('i' << 8) | ('n' << 16);
    if (token.bHasParam && nPacked == kBin) {
        const size_t nWanted = token.nParam > 0 ? static_cast<size_t>(token.nParam) : 0;
        const size_t nLength = std::min(nWanted, nSize - m_nPos);
        if (nLength < nWanted) m_bBinaryCutShort = true;
        token.kind = RtfTokenKind::Binary;
        token.text = m_bytes.substr(m_nPos, nLength);
        m_nPos += nLength;
    }
}

}  // namespace velmora
