#include "XkbGroups.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <memory>

namespace velmora {

namespace {

struct CloseDisplay {
    void operator()(Display* pDisplay) const { XCloseDisplay(pDisplay); }
};
using DisplayPtr = std::unique_ptr<Display, CloseDisplay>;

// A connection to the display on which XKB is usable, or null.
DisplayPtr OpenXkbDisplay() {
    int nMajor = XkbMajorVersion;
    int nMinor = XkbMinorVersion;
    int nReason = 0;
    DisplayPtr pDisplay(XkbOpenDisplay(nullptr, nullptr, nullptr, &nMajor, &nMinor, &nReason));
    return nReason == XkbOD_Success ? std::move(pDisplay) : DisplayPtr();
}

struct FreeKeyboard {
    void operator()(XkbDescPtr pKeyboard) const { XkbFreeKeyboard(pKeyboard, 0, True); }
};

}  // namespace

bool ReadXkbGroupNames(std::vector<std::string>& groupNames) {
    groupNames.clear();
    const DisplayPtr pDisplay = OpenXkbDisplay();
    if (!pDisplay) {
        return false;
    }
    std::unique_ptr<XkbDescRec, FreeKeyboard> pKeyboard(XkbAllocKeyboard());
    if (!pKeyboard) {
        return false;
    }
    pKeyboard->device_spec = XkbUseCoreKbd;
    if (XkbGetControls(pDisplay.get(), XkbGroupsWrapMask, pKeyboard.get()) != Success ||
        XkbGetNames(pDisplay.get(), XkbGroupNamesMask, pKeyboard.get()) != Success || pKeyboard->ctrls == nullptr ||
        pKeyboard->names == nullptr) {
        return false;
    }
    const int nGroups = std::min<int>(pKeyboard->ctrls->num_groups, XkbNumKbdGroups);
    for (int i = 0; i < nGroups; ++i) {
        const Atom atomName = pKeyboard->names->groups[i];
        // An unnamed group has atom None, which XGetAtomName would answer with a fatal error.
        char* pszName = atomName != None ? XGetAtomName(pDisplay.get(), atomName) : nullptr;
        groupNames.emplace_back(pszName != nullptr ? pszName : "");
        if (pszName != nullptr) {
            XFree(pszName);
        }
    }
    return true;
}

bool LockXkbGroup(int32_t nGroup) {
    if (nGroup < 0 || nGroup >= XkbNumKbdGroups) {
        return false;
    }
    const DisplayPtr pDisplay = OpenXkbDisplay();
    if (!pDisplay) {
        return false;
    }
    const bool bLocked = XkbLockGroup(pDisplay.get(), XkbUseCoreKbd, static_cast<unsigned int>(nGroup)) == True;
    XSync(pDisplay.get(), False);
    return bLocked;
}

int32_t ReadXkbLockedGroup() {
    const DisplayPtr pDisplay = OpenXkbDisplay();
    if (!pDisplay) {
        return -1;
    }
    XkbStateRec state{};
    if (XkbGetState(pDisplay.get(), XkbUseCoreKbd, &state) != Success) {
        return -1;
    }
    return state.locked_group;
}

bool ReadXkbKeySyms(std::vector<KeyGroupSyms>& keys) {
    keys.clear();
    const DisplayPtr pDisplay = OpenXkbDisplay();
    if (!pDisplay) {
        return false;
    }
    std::unique_ptr<XkbDescRec, FreeKeyboard> pKeyboard(
        XkbGetMap(pDisplay.get(), XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd));
    if (!pKeyboard || pKeyboard->map == nullptr) {
        return false;
    }
    for (int nKeycode = pKeyboard->min_key_code; nKeycode <= pKeyboard->max_key_code; ++nKeycode) {
        KeyGroupSyms key{static_cast<uint8_t>(nKeycode), {}};
        const int nGroups = XkbKeyNumGroups(pKeyboard.get(), nKeycode);
        for (int nGroup = 0; nGroup < nGroups; ++nGroup) {
            key.groupSyms.push_back(static_cast<uint32_t>(XkbKeySymEntry(pKeyboard.get(), nKeycode, 0, nGroup)));
        }
        if (!key.groupSyms.empty()) {
            keys.push_back(std::move(key));
        }
    }
    return true;
}

}  // namespace velmora
