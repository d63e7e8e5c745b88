#include "RtfColorTable.h"

#include <algorithm>

namespace velmora {

void CRtfColorTable::SetComponent(int nShift, int32_t n) {
    const auto value = static_cast<uint32_t>(std::clamp(n, 0, 255));
    m_crPending = (m_crPending & ~(0xFFu << nShift)) | (value << nShift);
    m_bPendingSet = true;
}

void CRtfColorTable::OnText(std::string_view text) {
    for (char c : text) {
        if (c == ';') EndEntry();
    }
}

void CRtfColorTable::EndEntry() {
    m_entries.push_back(m_bPendingSet ? m_crPending : kAuto);
    m_crPending = 0;
    m_bPendingSet = false;
}

void CRtfColorTable::EndTable() {
    if (m_bPendingSet) EndEntry();
}

bool CRtfColorTable::Lookup(int32_t nIndex, uint32_t& crColor) const {
    if (nIndex <= 0 || static_cast<size_t>(nIndex) >= m_entries.size()) return false;
    const uint32_t entry = m_entries[static_cast<size_t>(nIndex)];
    if (entry == kAuto) return false;
    crColor = entry;
    return true;
}

}  // namespace velmora
