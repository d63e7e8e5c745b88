#pragma once
// The program's message boxes: the application name as title, one OK button, and an icon.

#include <QMessageBox>
#include <QString>

class QWidget;

// The application name: every message box's title and the main window's title suffix.
inline constexpr char APP_NAME[] = "Velmora";

// Shows strText modally over pParent (or over nothing) and returns when the user has pressed OK.
// When the environment variable VELMORA_MESSAGE_LOG names a file, the title and the text are
// appended to it as one line "title<TAB>text" just before the box is shown, so that a test driving
// the real program from outside can tell which message is on screen.
void ShowAppMessage(const QString& strText, QWidget* pParent = nullptr,
                    QMessageBox::Icon icon = QMessageBox::Warning);
