#pragma once
// The start-up's messages, shown through the program's message box (velmora::ShowMessageBox:
// title "Velmora", one OK button, the warning icon).

#include <QString>

class QWidget;

// Shows strText modally over pParent (or over nothing) and returns when the user has pressed OK.
// When the environment variable VELMORA_MESSAGE_LOG names a file, the title and the text are
// appended to it as one line "title<TAB>text" just before the box is shown, so that a test driving
// the real program from outside can tell which message is on the screen; the box is shown all
// the same and waits for its OK.
void ShowAppMessage(const QString& strText, QWidget* pParent = nullptr);
