#include "BlankIndex.h"

namespace velmora {

template <typename CharT>
void CBlankIndex::Validate(const BasicTextModel<CharT>& doc) {
    if (m_pDoc == &doc && m_nRevision == doc.Revision()) return;
    m_pDoc = &doc;
    m_nRevision = doc.Revision();
    m_nAheadFrom = 0;
    m_nAheadTo = -1;
    m_nBackFrom = -1;
    m_nBackTo = 0;
}

template <typename CharT>
int32_t CBlankIndex::FirstNonBlankAtOrAfter(const BasicTextModel<CharT>& doc, int32_t q) {
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
int32_t CBlankIndex::LastNonBlankAtOrBefore(const BasicTextModel<CharT>& doc, int32_t q) {
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

template int32_t CBlankIndex::FirstNonBlankAtOrAfter(const TextModel&, int32_t);
template int32_t CBlankIndex::FirstNonBlankAtOrAfter(const Cp1255TextModel&, int32_t);
template int32_t CBlankIndex::LastNonBlankAtOrBefore(const TextModel&, int32_t);
template int32_t CBlankIndex::LastNonBlankAtOrBefore(const Cp1255TextModel&, int32_t);

}  // namespace velmora
