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

std::optional<CRtfStyleSheet::StyleList> CRtfStyleSheet::ListOf(int32_t nStyle) const {
    if (m_entries.empty()) return std::nullopt;
    // A style takes what it does not say from the style it is based on; a chain that loops, or
    // runs longer than any real stylesheet's, ends there.
    int32_t nList = -1;
    int32_t nLevel = -1;
    for (int nSteps = 0; nSteps < 16 && (nList < 0 || nLevel < 0); ++nSteps) {
        const auto it = m_entries.find(nStyle);
        if (it == m_entries.end()) break;
        if (nList < 0) nList = it->second.nList;
        if (nLevel < 0) nLevel = it->second.nLevel;
        if (it->second.nBasedOn < 0 || it->second.nBasedOn == nStyle) break;
        nStyle = it->second.nBasedOn;
    }
    if (nList <= 0) return std::nullopt;
    return StyleList{nList, nLevel < 0 ? 0 : nLevel};
}

}  // namespace velmora
