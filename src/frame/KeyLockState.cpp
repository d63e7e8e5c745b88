#include "KeyLockState.h"

#include <QGuiApplication>

#if VELMORA_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace velmora {

#if VELMORA_HAVE_X11
namespace {

bool IndicatorOn(Display* pDisplay, const char* pszName) {
    const Atom atom = XInternAtom(pDisplay, pszName, True);
    if (atom == None) return false;
    Bool bOn = False;
    if (!XkbGetNamedIndicator(pDisplay, atom, nullptr, &bOn, nullptr, nullptr)) return false;
    return bOn != False;
}

}  // namespace

KeyLocks ReadKeyLocks() {
    KeyLocks locks;
    auto* pX11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* pDisplay = pX11 ? pX11->display() : nullptr;
    if (!pDisplay) return locks;
    locks.bCaps = IndicatorOn(pDisplay, "Caps Lock");
    locks.bNum = IndicatorOn(pDisplay, "Num Lock");
    locks.bScroll = IndicatorOn(pDisplay, "Scroll Lock");
    return locks;
}
#else
KeyLocks ReadKeyLocks() { return {}; }
#endif

}  // namespace velmora
