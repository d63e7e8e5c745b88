#include "LineReversal.h"

#include "Cp1255Scan.h"

#include <algorithm>
#include <type_traits>

namespace velmora {

namespace {

// Characters that a Latin word is made of: ASCII other than blank and tab. NUL never occurs in
// a line of the control's text; it is kept out of words like a separator.
constexpr bool IsLatinWordChar(char32_t ch) { return ch > 0 && ch < 0x80 && ch != U' ' && ch != U'\t'; }

template <typename CharT>
constexpr CharT MirrorBracket(CharT ch) {
    if (ch > U'}') return ch;
    switch (ch) {
    case U'(': return CharT(')');
    case U')': return CharT('(');
    case U'[': return CharT(']');
    case U']': return CharT('[');
    case U'{': return CharT('}');
    case U'}': return CharT('{');
    default: return ch;
    }
}

// The brackets are ASCII, so they only ever stand inside Latin words.
template <typename CharT>
void TurnWordsBack(CharT* pText, size_t nLength) {
    size_t p = 0;
    while (p < nLength) {
        if constexpr (std::is_same_v<CharT, char8_t>) p = SkipToLatinWordChar(pText, p, nLength);
        if (p >= nLength) break;
        if (!IsLatinWordChar(pText[p])) {
            ++p;
            continue;
        }
        size_t e = p;
        while (e + 1 < nLength && IsLatinWordChar(pText[e + 1])) ++e;
        // The word is [p, e]; its edge punctuation stays where the whole reversal put it.
        size_t s = p;
        while (s <= e && IsEdgePunct(pText[s])) ++s;
        size_t t = e + 1;  // one past the last character to turn back
        while (t > s && IsEdgePunct(pText[t - 1])) --t;
        if (s < t) std::reverse(pText + s, pText + t);
        for (size_t q = p; q <= e; ++q) pText[q] = MirrorBracket(pText[q]);
        p = e + 1;
    }
}

}  // namespace

void TurnRtlWordsBack(char32_t* pText, size_t nLength) { TurnWordsBack(pText, nLength); }
void TurnRtlWordsBack(char8_t* pText, size_t nLength) { TurnWordsBack(pText, nLength); }

void ReverseRtlText(char32_t* pText, size_t nLength) {
    std::reverse(pText, pText + nLength);
    TurnRtlWordsBack(pText, nLength);
}

void ReverseRtlText(char8_t* pText, size_t nLength) {
    std::reverse(pText, pText + nLength);
    TurnRtlWordsBack(pText, nLength);
}

}  // namespace velmora
