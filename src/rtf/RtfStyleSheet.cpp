#include "RtfStyleSheet.h"

namespace velmora {

void CRtfStyleSheet::SetStyle(int32_t nStyle) {
    m_nPendingStyle = nStyle;
    m_bPending = true;
}
void CRtfStyleSheet::SetList(int32_t nLs) {
    m_pending.nList = nLs;
    m_bPending = true;
}
void CRtfStyleSheet::SetListLevel(int32_t nLevel) {
    m_pending.nLevel = nLevel;
    m_bPending = true;
}
void CRtfStyleSheet::SetBasedOn(int32_t nStyle) {
    m_pending.nBasedOn = nStyle;
    m_bPending = true;
}
void CRtfStyleSheet::MarkOtherKind() {
    m_bOtherKind = true;
    m_bPending = true;
}

void CRtfStyleSheet::EndEntry() {
    // Only the styles that say something about lists are kept: most say nothing.
    const bool bKeep =
        m_bPending && !m_bOtherKind && (m_pending.nList >= 0 || m_pending.nLevel >= 0 || m_pending.nBasedOn >= 0);
    if (bKeep) m_entries[m_nPendingStyle] = m_pending;
    m_pending = {};
    m_nPendingStyle = 0;
    m_bPending = false;
    m_bOtherKind = false;
}

CRtfStyleSheet::StyleList CRtfStyleSheet::ListOf(int32_t nStyle) const {
    // A style takes what it does not say from the style it is based on; a chain that loops, or
    // runs longer than any real stylesheet's, ends there.
    StyleList list;
    for (int nSteps = 0; nSteps < 16 && !m_entries.empty() && (list.nList < 0 || list.nLevel < 0); ++nSteps) {
        const auto it = m_entries.find(nStyle);
        if (it == m_entries.end()) break;
        if (list.nList < 0) list.nList = it->second.nList;
        if (list.nLevel < 0) list.nLevel = it->second.nLevel;
        if (it->second.nBasedOn < 0 || it->second.nBasedOn == nStyle) break;
        nStyle = it->second.nBasedOn;
    }
    return list;
}

}  // namespace velmora
