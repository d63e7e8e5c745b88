#pragma once
// The keyboard as Velmora's windows want it: the Hebrew group (layout) while they have the focus
// and the user's own group everywhere else, and the Alt+Shift+letter commands recognised by the
// keys' positions, so that they work also where Alt+Shift switches the layout.

#include "host/AltShiftChord.h"
#include "host/GroupKeeper.h"

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <functional>

namespace velmora {

class CKeyboardLayout : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // Watches the focus of the application's windows and the X key events that reach them.
    // runLetter is called with 'a'..'z' when Alt+Shift+that letter is pressed; it returns true
    // when the letter's command will run (the key is then eaten), false to let the key go on.
    // Without XKB, a display or a Hebrew group the keyboard's group is left alone.
    explicit CKeyboardLayout(std::function<bool(char)> runLetter, QObject* pParent = nullptr);
    // Gives the user's group back when Velmora still had the focus.
    ~CKeyboardLayout() override;

    bool nativeEventFilter(const QByteArray& eventType, void* pMessage, qintptr* pResult) override;

private:
    void OnApplicationStateChanged(Qt::ApplicationState state);
    void ReadKeys();

    std::function<bool(char)> m_runLetter;
    CGroupKeeper m_keeper;
    CAltShiftChord m_chord;
};

// The command of Alt+Shift+chLetter (a lower-case letter) in the command table; 0 for none.
int AltShiftCommand(char chLetter);

}  // namespace velmora
