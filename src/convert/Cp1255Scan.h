#pragma once
// Sixteen Windows-1255 bytes at a time: where the run splitter's quick loops must stop, and a
// right-to-left run copied back to front. In that code page every byte from 0x80 up is a
// character from U+0080 up (Hebrew to the conversion) and 0xFE is the right-to-left mark, so
// the classes read straight off the bytes. Without SSE2 the callers' own loops do all the work.

#include "CharClass.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmora {

inline constexpr char8_t kCp1255RightToLeftMark = 0xFE;

// What a run's text holds, as the emitter needs to know it.
struct RunTextFlags {
    bool bAscii = false;      // ASCII other than the blank (NUL included)
    bool bMarkOrEnd = false;  // a right-to-left mark, CR or LF
    // Where the copy holds that ASCII: outside [nAsciiFrom, nAsciiTo) it holds none.
    size_t nAsciiFrom = 0;
    size_t nAsciiTo = SIZE_MAX;
};

namespace cp1255_scan_detail {

// Eight or four bytes as one word: the same tests as the sixteen-byte ones, for short runs.
template <typename Word>
constexpr Word Splat(uint8_t byte) {
    return static_cast<Word>(static_cast<Word>(~Word{0}) / 0xFF * byte);
}
// The high bit of every byte of x that is zero, and no other bit.
template <typename Word>
constexpr Word ZeroBytes(Word x) {
    const Word low7 = Splat<Word>(0x7F);
    return static_cast<Word>(~(((x & low7) + low7) | x) & Splat<Word>(0x80));
}

template <typename Word>
void NoteWordFlags(Word w, Word& nAscii, Word& nMarkOrEnd) {
    nAscii |= static_cast<Word>(~w & Splat<Word>(0x80) & ~ZeroBytes<Word>(w ^ Splat<Word>(' ')));
    nMarkOrEnd |= ZeroBytes<Word>(w ^ Splat<Word>(kCp1255RightToLeftMark)) | ZeroBytes<Word>(w ^ Splat<Word>('\r')) |
                  ZeroBytes<Word>(w ^ Splat<Word>('\n'));
}

inline uint64_t ByteSwap(uint64_t w) { return __builtin_bswap64(w); }
inline uint32_t ByteSwap(uint32_t w) { return __builtin_bswap32(w); }

// n in [sizeof(Word), 2 * sizeof(Word)]: the first and the last word, which may overlap.
template <typename Word>
RunTextFlags CopyShort(char8_t* pTo, const char8_t* pFrom, size_t n, bool bReverse) {
    Word head;
    Word tail;
    std::memcpy(&head, pFrom, sizeof(Word));
    std::memcpy(&tail, pFrom + n - sizeof(Word), sizeof(Word));
    Word nHeadAscii = 0;
    Word nTailAscii = 0;
    Word nMarkOrEnd = 0;
    NoteWordFlags(head, nHeadAscii, nMarkOrEnd);
    NoteWordFlags(tail, nTailAscii, nMarkOrEnd);
    RunTextFlags flags{(nHeadAscii | nTailAscii) != 0, nMarkOrEnd != 0, 0, SIZE_MAX};
    if (bReverse) {
        if constexpr (std::endian::native == std::endian::little) {
            // Byte b of a word read at q is its bits 8b..8b+7; source position s lands at n - 1 - s.
            if (flags.bAscii) {
                const size_t nTailAt = n - sizeof(Word);
                const size_t nFirst = nHeadAscii != 0 ? static_cast<size_t>(std::countr_zero(nHeadAscii)) / 8
                                                      : nTailAt + static_cast<size_t>(std::countr_zero(nTailAscii)) / 8;
                const size_t nLast =
                    nTailAscii != 0
                        ? nTailAt + (sizeof(Word) * 8 - 1 - static_cast<size_t>(std::countl_zero(nTailAscii))) / 8
                        : (sizeof(Word) * 8 - 1 - static_cast<size_t>(std::countl_zero(nHeadAscii))) / 8;
                flags.nAsciiFrom = n - 1 - nLast;
                flags.nAsciiTo = n - nFirst;
            }
        }
        head = ByteSwap(head);
        tail = ByteSwap(tail);
        std::swap(head, tail);
    }
    std::memcpy(pTo, &head, sizeof(Word));
    std::memcpy(pTo + n - sizeof(Word), &tail, sizeof(Word));
    return flags;
}

}  // namespace cp1255_scan_detail

// Copies n bytes (4 <= n < 16) to pTo, back to front when bReverse, and notes what they hold.
inline RunTextFlags CopyShortPlain(char8_t* pTo, const char8_t* pFrom, size_t n, bool bReverse) {
    using namespace cp1255_scan_detail;
    return n >= 8 ? CopyShort<uint64_t>(pTo, pFrom, n, bReverse) : CopyShort<uint32_t>(pTo, pFrom, n, bReverse);
}

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

// Bits [nFrom, 16) set: the bytes of sixteen at or past a limit.
inline uint32_t BitsFrom(int32_t nFrom) { return nFrom >= 16 ? 0u : (0xFFFFu << nFrom) & 0xFFFFu; }

}  // namespace cp1255_scan_detail

namespace cp1255_scan_detail {

// The loop of both: bHebrewLed passes Hebrew (the mark excepted) and Latin characters, and a
// blank with a Hebrew one after it; else it passes Latin characters, and a blank with one after it.
template <bool bHebrewLed>
int32_t SkipLedPlain(const char8_t* pText, int32_t i, int32_t nEnd, int32_t nLength) {
    while (i < nEnd && i + 16 < nLength) {
        const ByteClasses c = Classify(pText + i);
        const uint32_t nLead = bHebrewLed ? c.nHebrew : c.nLatin;
        const bool bLeadAfter = bHebrewLed ? IsHebrewNotMark(pText[i + 16]) : IsLatinClass(pText[i + 16]);
        const uint32_t nLeadNext = ((nLead >> 1) | (bLeadAfter ? 0x8000u : 0u)) & ~BitsFrom(nEnd - i - 1);
        const uint32_t nPassed = (bHebrewLed ? c.nHebrew | c.nLatin : c.nLatin) | (c.nBlank & nLeadNext);
        const uint32_t nStop = (~nPassed & 0xFFFF) | BitsFrom(nEnd - i);
        if (nStop != 0) return i + __builtin_ctz(nStop);
        i += 16;
    }
    return i;
}

}  // namespace cp1255_scan_detail

// From i, the first position before nEnd that a Hebrew-led run's quick loop stops at: a
// character neither Hebrew (the mark excepted) nor Latin, unless it is a blank with such a
// Hebrew character after it before nEnd. Reads sixteen bytes at a time while seventeen are left
// before nLength (the text's length, nEnd <= nLength) and returns where it stopped reading: the
// caller's loop goes on from there.
inline int32_t SkipHebrewLedPlain(const char8_t* pText, int32_t i, int32_t nEnd, int32_t nLength) {
    return cp1255_scan_detail::SkipLedPlain<true>(pText, i, nEnd, nLength);
}

// The same for a Latin-led run: it passes Latin characters, and a blank with one after it.
inline int32_t SkipLatinLedPlain(const char8_t* pText, int32_t i, int32_t nEnd, int32_t nLength) {
    return cp1255_scan_detail::SkipLedPlain<false>(pText, i, nEnd, nLength);
}

namespace cp1255_scan_detail {

inline void NoteFlags(__m128i v, uint32_t& nAscii, uint32_t& nMarkOrEnd) {
    nAscii |= ~(Mask(v) | Mask(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')))) & 0xFFFF;
    __m128i markOrEnd = _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(kCp1255RightToLeftMark)));
    markOrEnd = _mm_or_si128(markOrEnd, _mm_cmpeq_epi8(v, _mm_set1_epi8('\r')));
    markOrEnd = _mm_or_si128(markOrEnd, _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
    nMarkOrEnd |= Mask(markOrEnd);
}

inline __m128i Reverse16(__m128i v) {
    v = _mm_shuffle_epi32(v, _MM_SHUFFLE(0, 1, 2, 3));
    v = _mm_shufflelo_epi16(v, _MM_SHUFFLE(2, 3, 0, 1));
    v = _mm_shufflehi_epi16(v, _MM_SHUFFLE(2, 3, 0, 1));
    return _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
}

}  // namespace cp1255_scan_detail

// Copies the n bytes at pFrom (n >= 16) to pTo back to front, sixteen at a time (the last sixteen
// overlapping the ones before), and notes what they hold.
inline RunTextFlags CopyReversedPlain(char8_t* pTo, const char8_t* pFrom, size_t n) {
    using namespace cp1255_scan_detail;
    uint32_t nMarkOrEnd = 0;
    RunTextFlags flags;
    flags.nAsciiFrom = n;
    flags.nAsciiTo = 0;
    for (size_t k = 0;; k += 16) {
        if (k + 16 > n) k = n - 16;
        const __m128i v = Load16(pFrom + n - k - 16);
        uint32_t nAscii = 0;
        NoteFlags(v, nAscii, nMarkOrEnd);
        if (nAscii != 0) {
            // Byte j of the sixteen lands at k + 15 - j.
            flags.nAsciiFrom = std::min<size_t>(flags.nAsciiFrom, k + 15 - (31 - __builtin_clz(nAscii)));
            flags.nAsciiTo = std::max<size_t>(flags.nAsciiTo, k + 16 - __builtin_ctz(nAscii));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pTo + k), Reverse16(v));
        if (k + 16 == n) break;
    }
    flags.bAscii = flags.nAsciiFrom < flags.nAsciiTo;
    flags.bMarkOrEnd = nMarkOrEnd != 0;
    return flags;
}

// The same, copied in order.
inline RunTextFlags CopyPlain(char8_t* pTo, const char8_t* pFrom, size_t n) {
    using namespace cp1255_scan_detail;
    uint32_t nAscii = 0;
    uint32_t nMarkOrEnd = 0;
    for (size_t k = 0;; k += 16) {
        if (k + 16 > n) k = n - 16;
        const __m128i v = Load16(pFrom + k);
        NoteFlags(v, nAscii, nMarkOrEnd);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pTo + k), v);
        if (k + 16 == n) break;
    }
    return {nAscii != 0, nMarkOrEnd != 0, 0, SIZE_MAX};
}

// The first position from i (before n) of a character a Latin word is made of: ASCII other than
// NUL, blank and tab. Reads sixteen bytes at a time while sixteen are left; returns where it
// stopped reading otherwise.
inline size_t SkipToLatinWordChar(const char8_t* pText, size_t i, size_t n) {
    using namespace cp1255_scan_detail;
    for (; i + 16 <= n; i += 16) {
        const __m128i v = Load16(pText + i);
        __m128i other = _mm_cmpeq_epi8(v, _mm_setzero_si128());
        other = _mm_or_si128(other, _mm_cmpeq_epi8(v, _mm_set1_epi8(' ')));
        other = _mm_or_si128(other, _mm_cmpeq_epi8(v, _mm_set1_epi8('\t')));
        const uint32_t nWord = ~(Mask(v) | Mask(other)) & 0xFFFF;
        if (nWord != 0) return i + static_cast<size_t>(__builtin_ctz(nWord));
    }
    return i;
}

// The first CR or LF from i (before n), sixteen bytes at a time while sixteen are left; returns
// where it stopped reading otherwise.
inline size_t SkipToLineEnd(const char* pText, size_t i, size_t n) {
    using namespace cp1255_scan_detail;
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pText + i));
        const uint32_t nEnd =
            Mask(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\n'))));
        if (nEnd != 0) return i + static_cast<size_t>(__builtin_ctz(nEnd));
    }
    return i;
}

// False when none of the sixteen bytes at p can be one the code page leaves undefined (they all
// lie in 0x81..0x9F, 0xD9..0xDF and 0xFB..0xFF); true when one may be.
inline bool MayHoldUndefinedCp1255(const char* p) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    auto within = [v](char lo, char width) {
        const __m128i t = _mm_sub_epi8(v, _mm_set1_epi8(lo));
        return _mm_cmpeq_epi8(_mm_min_epu8(t, _mm_set1_epi8(width)), t);
    };
    const __m128i suspect =
        _mm_or_si128(within(static_cast<char>(0x81), 0x1E),
                     _mm_or_si128(within(static_cast<char>(0xD9), 6), within(static_cast<char>(0xFB), 4)));
    return _mm_movemask_epi8(suspect) != 0;
}

// Where the run splitter's quick loops stop in a whole Windows-1255 text, found once for the
// text sixteen bytes at a time, so that each run finds its next stop with a bit search. The
// rules are those of SkipHebrewLedPlain and SkipLatinLedPlain with nEnd the text's length.
class CCp1255StopIndex {
public:
    void Build(const char8_t* pText, int32_t nLength, uint64_t nRevision) {
        using namespace cp1255_scan_detail;
        m_nRevision = nRevision;
        m_nLength = nLength;
        const size_t nWords = static_cast<size_t>(nLength) / 64 + 1;
        m_hebrewStops.assign(nWords, ~uint64_t{0});
        m_latinStops.assign(nWords, ~uint64_t{0});
        // Past the end reads NUL, which passes in no run: the last blank stops as it must.
        alignas(16) char8_t tail[80] = {};
        for (size_t w = 0; w < nWords; ++w) {
            const int32_t nAt = static_cast<int32_t>(w * 64);
            const char8_t* p = pText + nAt;
            if (nAt + 65 > nLength) {
                const int32_t nLeft = std::max(0, nLength - nAt);
                std::memcpy(tail, p, static_cast<size_t>(nLeft));
                std::memset(tail + nLeft, 0, sizeof tail - static_cast<size_t>(nLeft));
                p = tail;
            }
            uint64_t nHebrew = 0;
            uint64_t nLatin = 0;
            uint64_t nBlank = 0;
            for (int q = 0; q < 4; ++q) {
                const ByteClasses c = Classify(p + 16 * q);
                nHebrew |= uint64_t{c.nHebrew} << (16 * q);
                nLatin |= uint64_t{c.nLatin} << (16 * q);
                nBlank |= uint64_t{c.nBlank} << (16 * q);
            }
            const uint64_t nHebrewNext = (nHebrew >> 1) | (uint64_t{IsHebrewNotMark(p[64])} << 63);
            const uint64_t nLatinNext = (nLatin >> 1) | (uint64_t{IsLatinClass(p[64])} << 63);
            m_hebrewStops[w] = ~(nHebrew | nLatin | (nBlank & nHebrewNext));
            m_latinStops[w] = ~(nLatin | (nBlank & nLatinNext));
        }
    }
    bool Holds(uint64_t nRevision) const { return m_nRevision == nRevision && !m_hebrewStops.empty(); }
    void Forget() { m_hebrewStops.clear(); }

    // The first position from i on (i < the length) where the quick loop of a Hebrew-led, or a
    // Latin-led, run stops; the length or beyond when it does not stop.
    int32_t NextHebrewLedStop(int32_t i) const { return NextStop(m_hebrewStops, i); }
    int32_t NextLatinLedStop(int32_t i) const { return NextStop(m_latinStops, i); }

private:
    static int32_t NextStop(const std::vector<uint64_t>& stops, int32_t i) {
        size_t w = static_cast<size_t>(i) / 64;
        uint64_t nBits = stops[w] & (~uint64_t{0} << (i % 64));
        while (nBits == 0) nBits = stops[++w];  // the last word always stops
        return static_cast<int32_t>(w * 64 + static_cast<size_t>(__builtin_ctzll(nBits)));
    }

    uint64_t m_nRevision = 0;
    int32_t m_nLength = 0;
    std::vector<uint64_t> m_hebrewStops;
    std::vector<uint64_t> m_latinStops;
};

#else

inline bool MayHoldUndefinedCp1255(const char*) { return true; }

// Without SSE2 no index is built and the splitter's own loops do the work.
class CCp1255StopIndex {
public:
    void Build(const char8_t*, int32_t, uint64_t) {}
    bool Holds(uint64_t) const { return false; }
    void Forget() {}
    int32_t NextHebrewLedStop(int32_t i) const { return i; }
    int32_t NextLatinLedStop(int32_t i) const { return i; }
};
inline int32_t SkipHebrewLedPlain(const char8_t*, int32_t i, int32_t, int32_t) { return i; }
inline int32_t SkipLatinLedPlain(const char8_t*, int32_t i, int32_t, int32_t) { return i; }
inline size_t SkipToLatinWordChar(const char8_t*, size_t i, size_t) { return i; }
inline size_t SkipToLineEnd(const char*, size_t i, size_t) { return i; }

inline RunTextFlags CopyPlainOneByOne(char8_t* pTo, const char8_t* pFrom, size_t n, bool bReverse) {
    RunTextFlags flags;
    for (size_t k = 0; k < n; ++k) {
        const char8_t ch = bReverse ? pFrom[n - 1 - k] : pFrom[k];
        flags.bAscii |= ch < 0x80 && ch != ' ';
        flags.bMarkOrEnd |= ch == kCp1255RightToLeftMark || ch == '\r' || ch == '\n';
        pTo[k] = ch;
    }
    return flags;
}
inline RunTextFlags CopyReversedPlain(char8_t* pTo, const char8_t* pFrom, size_t n) {
    return CopyPlainOneByOne(pTo, pFrom, n, true);
}
inline RunTextFlags CopyPlain(char8_t* pTo, const char8_t* pFrom, size_t n) {
    return CopyPlainOneByOne(pTo, pFrom, n, false);
}

#endif

}  // namespace velmora
