#include "UnicodeLineOrder.h"

#include "CharClass.h"

#include <fribidi.h>

#include <algorithm>

namespace velmora {

namespace {

// Characters whose only work is to steer the order, or to end the line: once the line is in
// visual order they have nothing left to do, and in a page that lays text out itself they
// would reorder it again.
bool IsOrderControl(char32_t ch) {
    switch (ch) {
    case U'\r':
    case U'\n':
    case U'\u200E':
    case U'\u200F':
    case U'\u061C':  // LRM, RLM, ALM
    case U'\u202A':
    case U'\u202B':
    case U'\u202C':
    case U'\u202D':
    case U'\u202E':  // embeddings, overrides, PDF
    case U'\u2066':
    case U'\u2067':
    case U'\u2068':
    case U'\u2069':  // isolates
        return true;
    default: return false;
    }
}

// Most characters of a Hebrew document are ASCII or Hebrew letters, which need no look-up.
inline bool IsHebrewLetter(char32_t ch) { return ch - 0x5D0 <= 0x2F; }

bool IsCombiningMark(char32_t ch) {
    return ch >= 0x300 && !IsHebrewLetter(ch) && fribidi_get_bidi_type(ch) == FRIBIDI_TYPE_NSM;
}

// The ASCII characters drawn mirrored on a right-to-left line.
struct AsciiMirrors {
    char32_t glyphs[128];
    AsciiMirrors() {
        for (char32_t ch = 0; ch < 128; ++ch) glyphs[ch] = ch;
        for (const char* pair : {"()", "<>", "[]", "{}"}) {
            glyphs[static_cast<unsigned char>(pair[0])] = static_cast<char32_t>(pair[1]);
            glyphs[static_cast<unsigned char>(pair[1])] = static_cast<char32_t>(pair[0]);
        }
    }
};
const AsciiMirrors kAsciiMirrors;

// The glyph a character is drawn with on a right-to-left line: "(" as ")", and so on.
inline char32_t Mirrored(char32_t ch) {
    if (IsHebrewLetter(ch)) return ch;
    if (ch < 0x80) return kAsciiMirrors.glyphs[ch];
    FriBidiChar mirrored = ch;
    return fribidi_get_mirror_char(ch, &mirrored) ? static_cast<char32_t>(mirrored) : ch;
}

// A character that the plain reversal cannot simply turn: a mark, or one that is left out.
inline bool NeedsCare(char32_t ch) {
    if ((ch >= 0x20 && ch < 0x80) || IsHebrewLetter(ch)) return false;
    return IsOrderControl(ch) || IsCombiningMark(ch);
}

void AppendRun(const TextModel& doc, int32_t nStart, int32_t nEnd, bool bRtl, std::vector<TextRun>& runs) {
    const CharFormat& cf = doc.FormatAt(nStart);
    TextRun& run = runs.emplace_back();
    run.nStart = nStart;
    run.nLength = nEnd - nStart;
    run.dwMask = cf.dwMask;
    run.dwEffects = cf.dwEffects;
    run.yHeight = cf.yHeight;
    run.crTextColor = cf.crTextColor;
    run.bHebrew = bRtl;
}

// Appends [nStart, nEnd), shown in one direction, as runs of one format each, left to right.
void AppendFormatRuns(const TextModel& doc, int32_t nStart, int32_t nEnd, bool bRtl, std::vector<TextRun>& runs) {
    const size_t nFirst = runs.size();
    for (int32_t q = nStart; q < nEnd;) {
        const int32_t e = std::min(doc.FormatRunEnd(q), nEnd);
        AppendRun(doc, q, e, bRtl, runs);
        q = e;
    }
    if (bRtl) std::reverse(runs.begin() + static_cast<std::ptrdiff_t>(nFirst), runs.end());
}

}  // namespace

bool CUnicodeLineOrder::PrepareParagraph(const TextModel& doc, size_t nParagraph) {
    if (&doc == m_pDoc && doc.Revision() == m_nRevision && nParagraph == m_nParagraph && m_bidi.HasParagraph()) {
        return true;
    }
    m_pDoc = &doc;
    m_nRevision = doc.Revision();
    m_nParagraph = nParagraph;
    m_nParagraphStart = doc.ParagraphAt(nParagraph).nStart;
    const std::u32string_view text = std::u32string_view(doc.Text())
                                         .substr(static_cast<size_t>(m_nParagraphStart),
                                                 static_cast<size_t>(doc.ParagraphEnd(nParagraph) - m_nParagraphStart));
    return m_bidi.SetParagraph(text, BidiDirection::RightToLeft);
}

void CUnicodeLineOrder::AppendParagraphPart(const TextModel& doc, int32_t nStart, int32_t nEnd,
                                            std::vector<TextRun>& runs) {
    if (!m_bidi.OrderLine(nStart - m_nParagraphStart, nEnd - m_nParagraphStart, m_bidiRuns)) {
        // Only a paragraph beyond the library's reach gets here: it keeps its logical order.
        AppendFormatRuns(doc, nStart, nEnd, false, runs);
        return;
    }
    for (const BidiRun& part : m_bidiRuns) {
        const int32_t nPartStart = m_nParagraphStart + part.nStart;
        AppendFormatRuns(doc, nPartStart, nPartStart + part.nLength, part.bRtl, runs);
    }
}

void CUnicodeLineOrder::OrderLine(const TextModel& doc, int32_t nStart, int32_t nEnd, std::vector<TextRun>& runs,
                                  std::vector<int32_t>& order) {
    runs.clear();
    size_t nParagraph = doc.ParagraphIndexAt(nStart);
    for (int32_t pos = nStart; pos < nEnd; ++nParagraph) {
        const int32_t nPartEnd = std::min(nEnd, doc.ParagraphEnd(nParagraph));
        const size_t nBefore = runs.size();
        if (PrepareParagraph(doc, nParagraph)) {
            AppendParagraphPart(doc, pos, nPartEnd, runs);
        } else {
            AppendFormatRuns(doc, pos, nPartEnd, false, runs);
        }
        // A line that runs on into the next paragraph: the later paragraph stands to the left.
        std::rotate(runs.begin(), runs.begin() + static_cast<std::ptrdiff_t>(nBefore), runs.end());
        pos = nPartEnd;
    }
    order.resize(runs.size());
    for (size_t i = 0; i < runs.size(); ++i) order[i] = static_cast<int32_t>(i);
    order.push_back(kOrderSentinel);
}

void CUnicodeLineOrder::AppendRunText(std::u32string& strOut, const TextRun& run, std::u32string_view text) const {
    const size_t nAt = strOut.size();
    if (!run.bHebrew) {
        if (std::none_of(text.begin(), text.end(), IsOrderControl)) {
            strOut.append(text);
            return;
        }
        for (char32_t ch : text) {
            if (!IsOrderControl(ch)) strOut += ch;
        }
        return;
    }
    // The common case: every character simply turned and mirrored.
    strOut.resize(nAt + text.size());
    char32_t* pOut = strOut.data() + strOut.size();
    bool bCare = false;
    for (char32_t ch : text) {
        if (NeedsCare(ch)) {
            bCare = true;
            break;
        }
        *--pOut = Mirrored(ch);
    }
    if (!bCare) return;
    strOut.resize(nAt);
    size_t nEnd = text.size();
    while (nEnd > 0) {
        // A letter and the marks that follow it stay in that order, so that the marks are still
        // drawn on it by a renderer that reorders nothing.
        size_t nBase = nEnd - 1;
        while (nBase > 0 && IsCombiningMark(text[nBase])) --nBase;
        for (size_t i = nBase; i < nEnd; ++i) {
            if (!IsOrderControl(text[i])) strOut += Mirrored(text[i]);
        }
        nEnd = nBase;
    }
}

bool CUnicodeLineOrder::IsListBullet(const TextRun&, std::u32string_view text) const {
    return text.size() == 2 &&
           ((text[0] == kMiddleDot && text[1] == U'\t') || (text[0] == U'\t' && text[1] == kMiddleDot));
}

}  // namespace velmora
