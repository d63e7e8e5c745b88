#pragma once
// Finds the nearest non-blank character before or after a position. The run splitter asks this
// for every blank it meets, and its look-ahead may reach far past the piece it converts; a text
// full of blanks would make the conversion quadratic if every question scanned afresh. Each
// direction remembers the last stretch of blanks it crossed, so every blank is scanned once
// while the questions move through the text.

#include "TextModel.h"

#include <cstdint>

namespace velmora {

class CBlankIndex {
public:
    // The smallest position >= q whose character is not a blank (U+0020); the text length or
    // beyond when only blanks follow ("nothing" is read there).
    template <typename CharT>
    int32_t FirstNonBlankAtOrAfter(const BasicTextModel<CharT>& doc, int32_t q);
    template <typename CharT>
    int32_t FirstNonBlankAfter(const BasicTextModel<CharT>& doc, int32_t q) {
        return FirstNonBlankAtOrAfter(doc, q + 1);
    }
    // The greatest position <= q whose character is not a blank; -1 when only blanks precede.
    template <typename CharT>
    int32_t LastNonBlankAtOrBefore(const BasicTextModel<CharT>& doc, int32_t q);

private:
    template <typename CharT>
    void Validate(const BasicTextModel<CharT>& doc);

    const void* m_pDoc = nullptr;
    uint64_t m_nRevision = 0;
    // [m_nAheadFrom, m_nAheadTo) are blanks and m_nAheadTo is not (or is past the end).
    int32_t m_nAheadFrom = 0;
    int32_t m_nAheadTo = -1;
    // (m_nBackTo, m_nBackFrom] are blanks and m_nBackTo is not (or is -1).
    int32_t m_nBackFrom = -1;
    int32_t m_nBackTo = 0;
};

// Defined here so that the run splitter's steps, which ask for every blank, inline them.
template <typename CharT>
inline void CBlankIndex::Validate(const BasicTextModel<CharT>& doc) {
    if (m_pDoc == &doc && m_nRevision == doc.Revision()) return;
    m_pDoc = &doc;
    m_nRevision = doc.Revision();
    m_nAheadFrom = 0;
    m_nAheadTo = -1;
    m_nBackFrom = -1;
    m_nBackTo = 0;
}

template <typename CharT>
inline int32_t CBlankIndex::FirstNonBlankAtOrAfter(const BasicTextModel<CharT>& doc, int32_t q) {
    Validate(doc);
    const int32_t len = doc.Length();
    if (q >= len) return q;
    if (q < 0) q = 0;
    if (q >= m_nAheadFrom && q <= m_nAheadTo) return m_nAheadTo;
    const CharT* pText = doc.Text().data();
    if (pText[q] != U' ') return q;
    int32_t t = q;
    while (t < len && pText[t] == U' ') ++t;
    m_nAheadFrom = q;
    m_nAheadTo = t;
    return t;
}

template <typename CharT>
inline int32_t CBlankIndex::LastNonBlankAtOrBefore(const BasicTextModel<CharT>& doc, int32_t q) {
    Validate(doc);
    if (q < 0) return -1;
    if (q >= doc.Length()) q = doc.Length() - 1;
    if (q <= m_nBackFrom && q >= m_nBackTo) return m_nBackTo;
    const CharT* pText = doc.Text().data();
    if (q < 0 || pText[q] != U' ') return q;
    int32_t t = q;
    while (t >= 0 && pText[t] == U' ') --t;
    m_nBackFrom = q;
    m_nBackTo = t;
    return t;
}

}  // namespace velmora
