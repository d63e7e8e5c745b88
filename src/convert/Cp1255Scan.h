#pragma once
// Sixteen Windows-1255 bytes at a time: where the run splitter's quick loops must stop, and a
// right-to-left run copied back to front. In that code page every byte from 0x80 up is a
// character from U+0080 up (Hebrew to the conversion) and 0xFE is the right-to-left mark, so
// the classes read straight off the bytes. Without SSE2 the callers' own loops do all the work.

#include "CharClass.h"

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmora {

inline constexpr char8_t kCp1255RightToLeftMark = 0xFE;

#if defined(__SSE2__)

namespace cp1255_scan_detail {

// One bit per byte of sixteen.
struct ByteClasses {
    uint32_t nHebrew;  // Hebrew class, the mark excepted
    uint32_t nLatin;   // IsLatinClass
    uint32_t nBlank;
};

inline __m128i Load16(const char8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

inline uint32_t Mask(__m128i v) { return static_cast<uint32_t>(_mm_movemask_epi8(v)); }

inline __m128i EqualsAfterOr(__m128i v, char bits, char value) {
    return _mm_cmpeq_epi8(_mm_or_si128(v, _mm_set1_epi8(bits)), _mm_set1_epi8(value));
}

inline ByteClasses Classify(const char8_t* p) {
    const __m128i v = Load16(p);
    const uint32_t nHigh = Mask(v);
    const uint32_t nMark = Mask(_mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(kCp1255RightToLeftMark))));
    const uint32_t nBlank = Mask(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')));
    // The break punctuation in pairs that differ in one bit: ( ) : ; , . [ { ] } and the quote.
    __m128i notLatin = _mm_cmpeq_epi8(v, _mm_setzero_si128());
    notLatin = _mm_or_si128(notLatin, _mm_cmpeq_epi8(v, _mm_set1_epi8('"')));
    notLatin = _mm_or_si128(notLatin, EqualsAfterOr(v, 0x01, ')'));
    notLatin = _mm_or_si128(notLatin, EqualsAfterOr(v, 0x01, ';'));
    notLatin = _mm_or_si128(notLatin, EqualsAfterOr(v, 0x02, '.'));
    notLatin = _mm_or_si128(notLatin, EqualsAfterOr(v, 0x20, '{'));
    notLatin = _mm_or_si128(notLatin, EqualsAfterOr(v, 0x20, '}'));
    const uint32_t nLatin = ~(Mask(notLatin) | nHigh | nBlank) & 0xFFFF;
    return {nHigh & ~nMark, nLatin, nBlank};
}

inline bool IsHebrewNotMark(char8_t ch) { return ch >= 0x80 && ch != kCp1255RightToLeftMark; }

}  // namespace cp1255_scan_detail

// From i, the first position before nEnd - 16 that a Hebrew-led run's quick loop stops at: a
// character neither Hebrew (the mark excepted) nor Latin, unless it is a blank with such a
// Hebrew character after it. Returns the position reached when there is none: the caller's
// loop goes on from there.
inline int32_t SkipHebrewLedPlain(const char8_t* pText, int32_t i, int32_t nEnd) {
    using namespace cp1255_scan_detail;
    while (i + 16 < nEnd) {
        const ByteClasses c = Classify(pText + i);
        const uint32_t nHebrewNext = (c.nHebrew >> 1) | (IsHebrewNotMark(pText[i + 16]) ? 0x8000u : 0u);
        const uint32_t nStop = ~(c.nHebrew | c.nLatin | (c.nBlank & nHebrewNext)) & 0xFFFF;
        if (nStop != 0) return i + __builtin_ctz(nStop);
        i += 16;
    }
    return i;
}

// The same for a Latin-led run: it passes Latin characters, and a blank with one after it.
inline int32_t SkipLatinLedPlain(const char8_t* pText, int32_t i, int32_t nEnd) {
    using namespace cp1255_scan_detail;
    while (i + 16 < nEnd) {
        const ByteClasses c = Classify(pText + i);
        const uint32_t nLatinNext = (c.nLatin >> 1) | (IsLatinClass(pText[i + 16]) ? 0x8000u : 0u);
        const uint32_t nStop = ~(c.nLatin | (c.nBlank & nLatinNext)) & 0xFFFF;
        if (nStop != 0) return i + __builtin_ctz(nStop);
        i += 16;
    }
    return i;
}

// Copies the n bytes before pFromEnd to pTo back to front, sixteen at a time while sixteen are
// left; returns how many it copied. bAscii notes any ASCII but the blank, bMark any mark.
inline size_t CopyReversedPlain(char8_t* pTo, const char8_t* pFromEnd, size_t n, bool& bAscii, bool& bMark) {
    using namespace cp1255_scan_detail;
    uint32_t nAscii = 0;
    uint32_t nMark = 0;
    size_t k = 0;
    for (; k + 16 <= n; k += 16) {
        __m128i v = Load16(pFromEnd - k - 16);
        nAscii |= ~(Mask(v) | Mask(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')))) & 0xFFFF;
        nMark |= Mask(_mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(kCp1255RightToLeftMark))));
        v = _mm_shuffle_epi32(v, _MM_SHUFFLE(0, 1, 2, 3));
        v = _mm_shufflelo_epi16(v, _MM_SHUFFLE(2, 3, 0, 1));
        v = _mm_shufflehi_epi16(v, _MM_SHUFFLE(2, 3, 0, 1));
        v = _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pTo + k), v);
    }
    bAscii |= nAscii != 0;
    bMark |= nMark != 0;
    return k;
}

#else

inline int32_t SkipHebrewLedPlain(const char8_t*, int32_t i, int32_t) { return i; }
inline int32_t SkipLatinLedPlain(const char8_t*, int32_t i, int32_t) { return i; }
inline size_t CopyReversedPlain(char8_t*, const char8_t*, size_t, bool&, bool&) { return 0; }

#endif

}  // namespace velmora
