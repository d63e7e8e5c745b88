#pragma once
// The state of the keyboard's lock keys, for the status bar's CAP, NUM and SCRL indicators.

namespace velmora {

struct KeyLocks {
    bool bCaps = false;
    bool bNum = false;
    bool bScroll = false;
};

// Asks the display server for the lock indicators (X11 XKB); all off where it cannot tell.
KeyLocks ReadKeyLocks();

}  // namespace velmora
