#include "KeyboardLayout.h"

#include "frame/CommandTable.h"
#include "host/HebrewGroup.h"
#include "host/XkbGroups.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <string>
#include <vector>

namespace velmora {

namespace {

int32_t FindConfiguredHebrewGroup() {
    std::vector<std::string> groupNames;
    return ReadXkbGroupNames(groupNames) ? FindHebrewGroup(groupNames) : -1;
}

void LockGroupUnlessThere(int32_t nGroup) {
    if (nGroup >= 0 && ReadXkbLockedGroup() != nGroup) {
        LockXkbGroup(nGroup);
    }
}

}  // namespace

int AltShiftCommand(char chLetter) {
    if (chLetter < 'a' || chLetter > 'z') return 0;
    return CommandOfKey(Qt::ALT | Qt::SHIFT | static_cast<Qt::Key>(Qt::Key_A + (chLetter - 'a')));
}

CKeyboardLayout::CKeyboardLayout(std::function<bool(char)> runLetter, QObject* pParent)
    : QObject(pParent), m_runLetter(std::move(runLetter)), m_keeper(FindConfiguredHebrewGroup()) {
    ReadKeys();
    QCoreApplication::instance()->installNativeEventFilter(this);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &CKeyboardLayout::OnApplicationStateChanged);
    OnApplicationStateChanged(QGuiApplication::applicationState());
}

CKeyboardLayout::~CKeyboardLayout() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
    LockGroupUnlessThere(m_keeper.OnFocusOut(ReadXkbLockedGroup()));
}

void CKeyboardLayout::ReadKeys() {
    std::vector<KeyGroupSyms> keys;
    m_chord.ClearKeys();
    if (!ReadXkbKeySyms(keys)) return;
    for (const KeyGroupSyms& key : keys) m_chord.SetKeySymbols(key.nKeycode, key.groupSyms);
}

void CKeyboardLayout::OnApplicationStateChanged(Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) {
        // The layouts may have been configured anew while another program had the focus.
        if (!m_keeper.IsInside()) ReadKeys();
        LockGroupUnlessThere(m_keeper.OnFocusIn(ReadXkbLockedGroup()));
    } else {
        m_chord.Reset();
        LockGroupUnlessThere(m_keeper.OnFocusOut(ReadXkbLockedGroup()));
    }
}

bool CKeyboardLayout::nativeEventFilter(const QByteArray& eventType, void* pMessage, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* pEvent = static_cast<const xcb_generic_event_t*>(pMessage);
    const uint8_t nType = pEvent->response_type & 0x7f;
    if (nType == XCB_KEY_PRESS) {
        const auto* pKey = static_cast<const xcb_key_press_event_t*>(pMessage);
        const CAltShiftChord::Result result = m_chord.OnKeyPress(pKey->detail, pKey->state);
        if (result.chLetter == 0 || !m_runLetter || !m_runLetter(result.chLetter)) return false;
        m_chord.CommandRan();
        return true;
    }
    if (nType == XCB_KEY_RELEASE) {
        const auto* pKey = static_cast<const xcb_key_release_event_t*>(pMessage);
        LockGroupUnlessThere(m_chord.OnKeyRelease(pKey->detail).nRestoreGroup);
    }
    return false;
}

}  // namespace velmora
