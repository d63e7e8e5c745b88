#pragma once
// The keyboard groups (layouts) of the X server's core keyboard, through XKB. Each call opens its
// own connection to the display named by DISPLAY.

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// The names of the configured groups in group order, such as {"English (US)", "Hebrew"}.
// Returns false, with groupNames empty, when there is no display or the server has no XKB.
bool ReadXkbGroupNames(std::vector<std::string>& groupNames);

// Locks the core keyboard to group nGroup (0-based), as the layout switcher of a desktop does; the
// switch holds for every program on the display. Returns false without a display, XKB, or such
// a group.
bool LockXkbGroup(int32_t nGroup);

// The group the core keyboard is locked to, or -1 without a display or XKB.
int32_t ReadXkbLockedGroup();

// Every keycode of the core keyboard with its unmodified keysym in each of its groups. Returns
// false, with keys empty, without a display or XKB.
struct KeyGroupSyms {
    uint8_t nKeycode;
    std::vector<uint32_t> groupSyms;
};
bool ReadXkbKeySyms(std::vector<KeyGroupSyms>& keys);

}  // namespace velmora
