#pragma once
// Which keyboard group (layout) to lock as the focus enters and leaves Velmora, so that the
// Hebrew group belongs to Velmora's windows alone, as an input language does per program: the
// user's own group comes back whenever the focus leaves, and a group the user picks while inside
// Velmora is kept for the next time the focus comes in.

#include <cstdint>

namespace velmora {

class CGroupKeeper {
public:
    // nHebrewGroup is the group Velmora starts its windows in; -1 (no Hebrew group configured)
    // makes the keeper leave the keyboard alone.
    explicit CGroupKeeper(int32_t nHebrewGroup) : m_nInsideGroup(nHebrewGroup) {}

    // Velmora's windows got the focus while group nCurrent is locked. Returns the group to lock,
    // or -1 to leave the keyboard as it is.
    int32_t OnFocusIn(int32_t nCurrent);
    // The focus left Velmora's windows (or Velmora ends) while group nCurrent is locked. Returns
    // the group to lock, or -1 to leave the keyboard as it is.
    int32_t OnFocusOut(int32_t nCurrent);
    bool IsInside() const { return m_bInside; }

private:
    int32_t m_nInsideGroup;
    int32_t m_nOutsideGroup = -1;
    bool m_bInside = false;
};

}  // namespace velmora
