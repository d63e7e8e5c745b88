#include "GroupKeeper.h"

namespace velmora {

int32_t CGroupKeeper::OnFocusIn(int32_t nCurrent) {
    if (m_bInside || m_nInsideGroup < 0 || nCurrent < 0) {
        return -1;
    }
    m_bInside = true;
    m_nOutsideGroup = nCurrent;
    return m_nInsideGroup != nCurrent ? m_nInsideGroup : -1;
}

int32_t CGroupKeeper::OnFocusOut(int32_t nCurrent) {
    if (!m_bInside) {
        return -1;
    }
    m_bInside = false;
    if (nCurrent < 0) {
        return -1;
    }
    m_nInsideGroup = nCurrent;
    return m_nOutsideGroup != nCurrent ? m_nOutsideGroup : -1;
}

}  // namespace velmora
