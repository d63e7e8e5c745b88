// Splitting a line into runs of one format and one writing direction.

#include "CharClass.h"
#include "ConversionEngine.h"
#include "Cp1255Scan.h"

#include <algorithm>
#include <type_traits>

namespace velmora {

namespace {

// What one step of the run splitter decided: the run ends at a position, or it goes on with the
// next position to examine.
struct StepResult {
    bool bEnds;
    int32_t nPos;
};

constexpr StepResult EndAt(int32_t e) { return {true, e}; }
constexpr StepResult ContinueAt(int32_t p) { return {false, p}; }

// A Latin-led run takes Latin text with its inner blanks and punctuation. It stops before a
// Hebrew character, leaves the last blank before a Hebrew word to the next run, and leaves out
// punctuation that is followed by Hebrew, by the end of the text or by more punctuation.
template <typename CharT>
StepResult LatinLedStep(const BasicTextModel<CharT>& doc, CBlankIndex& blanks, int32_t i) {
    char32_t ch = doc.CharAt(i);
    int32_t x = i;
    if (ch == U' ') {
        const int32_t k = blanks.FirstNonBlankAfter(doc, i);
        ch = doc.CharAt(k);
        x = k;
        if (IsHebrewClass(ch)) return EndAt(k - 1);
        if (IsBreakPunct(ch)) {
            const int32_t k2 = blanks.FirstNonBlankAfter(doc, k);
            const char32_t ch2 = doc.CharAt(k2);
            if (IsHebrewClass(ch2) || ch2 == 0) return EndAt(i + 1);
            ch = ch2;
            x = k2;
        }
    }
    if (IsBreakPunct(ch)) {
        const int32_t q = blanks.FirstNonBlankAfter(doc, x);
        const char32_t ch3 = doc.CharAt(q);
        if (IsHebrewClass(ch3) || ch3 == 0 || IsBreakPunct(ch3)) return EndAt(i);
        ch = ch3;
        x = q;
    }
    if (IsHebrewClass(ch)) return EndAt(i);
    return ContinueAt(x + 1);
}

// A Hebrew-led run takes Hebrew letters, Latin written directly against them, blanks followed by
// Hebrew, and punctuation followed by Hebrew. It stops before a Latin word after blanks (when the
// run is right-to-left), after punctuation followed by ASCII, and after the first blank of blanks
// that lead to punctuation.
template <typename CharT>
StepResult HebrewLedStep(const BasicTextModel<CharT>& doc, CBlankIndex& blanks, int32_t i, bool& bHebrew) {
    char32_t ch = doc.CharAt(i);
    int32_t p = i + 1;
    bool bSkipped = false;
    if (ch == U' ') {
        const int32_t k = blanks.FirstNonBlankAfter(doc, i);
        ch = doc.CharAt(k);
        if (IsBreakPunct(ch)) return EndAt(i + 1);
        if (IsLatinClass(ch)) {
            bSkipped = true;
            p = k;
        } else {
            p = k + 1;
        }
    } else if (IsBreakPunct(ch)) {
        if (doc.CharAt(i + 1) == 0) {
            // Punctuation that ends the text is placed at the left end of the line.
            bHebrew = true;
            ch = 0;
            p = i + 2;
        } else {
            const int32_t k2 = blanks.FirstNonBlankAtOrAfter(doc, i + 1);
            const char32_t ch2 = doc.CharAt(k2);
            if (IsAsciiClass(ch2)) return EndAt(i + 1);
            ch = ch2;
            p = k2 + 1;
        }
    }
    if (ch == kRightToLeftMarkIn<CharT>) {
        // A mark written after Latin text does not make that text right-to-left.
        const int32_t q = blanks.LastNonBlankAtOrBefore(doc, p - 2);
        if (IsAsciiClass(doc.CharAt(q))) bHebrew = false;
        return ContinueAt(p);
    }
    if (IsLatinClass(ch) && bSkipped && bHebrew) return EndAt(p);
    return ContinueAt(p);
}

}  // namespace

template <typename CharT>
int32_t CConversionEngine::SplitNextRun(const BasicTextModel<CharT>& doc, int32_t a, int32_t b, TextRun& run) {
    constexpr CharT kMark = kRightToLeftMarkIn<CharT>;
    const uint32_t nFormat = doc.FormatIdAt(a);
    const CharFormat& cf = doc.FormatById(nFormat);
    run.nStart = a;
    run.dwMask = cf.dwMask;
    run.dwEffects = cf.dwEffects;
    run.yHeight = cf.yHeight;
    run.crTextColor = cf.crTextColor;
    run.bHebrew = cf.bCharSet == HEBREW_CHARSET;
    const bool bLatinLed = IsLatinClass(doc.CharAt(a));
    if (bLatinLed) run.bHebrew = false;  // every Latin-led step clears it, and there is at least one
    // Only the character right after the examined one is compared with the run's format; the
    // insertion-point format past the end cannot change where the run ends, so it is not read.
    const int32_t nFormatEnd = doc.FormatRunEnd(a);
    const int32_t len = doc.Length();

    const CharT* pText = doc.Text().data();
    // Characters that a step simply passes (the step continues at the next position) need no
    // step of their own while the format stays the same: Latin letters in a Latin-led run, and
    // everything but blanks, break punctuation and right-to-left marks in a Hebrew-led one.
    const int32_t nFastEnd = std::min(b, nFormatEnd - 1);
    // A blank is passed as well when the character after it is one of those (a Latin letter in
    // a Latin-led run, a Hebrew character other than the mark in a Hebrew-led one): the step the
    // blank would take finds that character and goes on past it. Hebrew words separated by
    // single blanks, the bulk of most text, are passed without a step.
    bool bIndexed = false;
    if constexpr (std::is_same_v<CharT, char8_t>) bIndexed = m_cp1255Stops.Holds(doc.Revision());
    auto skipPlainCharacters = [&](int32_t i) {
        if constexpr (std::is_same_v<CharT, char8_t>) {
            if (bIndexed && i < nFastEnd - 1) {
                // The index decides every position but the last before the fast end, where the
                // character after a blank is out of reach: the loops below decide that one.
                const int32_t nStop =
                    bLatinLed ? m_cp1255Stops.NextLatinLedStop(i) : m_cp1255Stops.NextHebrewLedStop(i);
                if (nStop < nFastEnd - 1) return nStop;
                i = nFastEnd - 1;
            }
        }
        if (bLatinLed) {
            if constexpr (std::is_same_v<CharT, char8_t>) {
                if (!bIndexed) i = SkipLatinLedPlain(pText, i, nFastEnd, len);
            }
            for (;;) {
                while (i < nFastEnd && IsLatinClass(pText[i])) ++i;
                if (!(i + 1 < nFastEnd && pText[i] == U' ' && IsLatinClass(pText[i + 1]))) return i;
                i += 2;
            }
        }
        if constexpr (std::is_same_v<CharT, char8_t>) {
            if (!bIndexed) i = SkipHebrewLedPlain(pText, i, nFastEnd, len);
        }
        for (;;) {
            while (i < nFastEnd && pText[i] >= 0x80 && pText[i] != kMark) ++i;
            if (i >= nFastEnd) return i;
            const char32_t ch = pText[i];
            if (ch == U' ') {
                if (!(i + 1 < nFastEnd && IsHebrewClass(pText[i + 1]) && pText[i + 1] != kMark)) return i;
                i += 2;
            } else if (IsLatinClass(ch)) {
                ++i;
            } else {
                return i;
            }
        }
    };
    int32_t i = a;
    int32_t e = 0;
    for (;;) {
        i = skipPlainCharacters(i);
        if (i >= b) {
            e = i;
            break;
        }
        StepResult step;
        if (bLatinLed) {
            run.bHebrew = false;
            step = LatinLedStep(doc, m_blanks, i);
        } else {
            step = HebrewLedStep(doc, m_blanks, i, run.bHebrew);
        }
        if (step.bEnds) {
            e = step.nPos;
            break;
        }
        // Steps may pass over characters of another format; only position i + 1 counts.
        if (i + 1 < len && i + 1 >= nFormatEnd && doc.FormatIdAt(i + 1) != nFormat) {
            e = i + 1;
            break;
        }
        i = step.nPos;
    }
    const int32_t nNext = e < b ? e : b;
    run.nLength = nNext - a;
    return nNext;
}

template int32_t CConversionEngine::SplitNextRun(const TextModel&, int32_t, int32_t, TextRun&);
template int32_t CConversionEngine::SplitNextRun(const Cp1255TextModel&, int32_t, int32_t, TextRun&);

void FillVisualOrder(const std::vector<TextRun>& runs, std::vector<int32_t>& order) {
    // Every run is listed once, then the sentinel: the list's length is known ahead.
    order.resize(runs.size() + 1);
    int32_t* pOrder = order.data();
    auto j = static_cast<int32_t>(runs.size()) - 1;
    while (j >= 0) {
        if (runs[static_cast<size_t>(j)].bHebrew) {
            *pOrder++ = j--;
            continue;
        }
        int32_t k = j;
        while (k > 0 && !runs[static_cast<size_t>(k - 1)].bHebrew) --k;
        for (int32_t r = k; r <= j; ++r) *pOrder++ = r;
        j = k - 1;
    }
    *pOrder = kOrderSentinel;
}

}  // namespace velmora
