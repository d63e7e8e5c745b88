#pragma once
// The program's message boxes: title "Velmora", one OK button, the given icon and a fixed text.
//
// Tests cannot answer a modal box, so a capture can be installed: while a CMessageBoxCapture
// lives, ShowMessageBox records every box (icon and text) instead of showing it and returns at
// once, as if the user had pressed OK. Captures nest; the innermost one records.

#include <QMessageBox>
#include <QString>

#include <vector>

namespace velmora {

// The title of every message box.
inline const QString kMessageBoxTitle = QStringLiteral("Velmora");

// When VELMORA_MESSAGE_LOG names a file, appends "title<TAB>text" to it as one line (line breaks
// in the text written as \r\n), so that a test driving the real program from outside can tell
// which message or notice the program showed.
void LogShownMessage(const QString& strTitle, const QString& strText);

// Shows text in a modal box owned by pParent (may be null) and returns when it is closed.
void ShowMessageBox(QWidget* pParent, const QString& strText, QMessageBox::Icon icon = QMessageBox::Warning);

struct CapturedMessageBox {
    QMessageBox::Icon icon;
    QString strText;
    bool bOverVisibleParent;  // its parent was on screen when it came
};

class CMessageBoxCapture {
public:
    CMessageBoxCapture();
    ~CMessageBoxCapture();
    CMessageBoxCapture(const CMessageBoxCapture&) = delete;
    CMessageBoxCapture& operator=(const CMessageBoxCapture&) = delete;

    // The boxes shown while this capture was the innermost, oldest first.
    const std::vector<CapturedMessageBox>& Boxes() const { return m_boxes; }

private:
    friend void ShowMessageBox(QWidget*, const QString&, QMessageBox::Icon);
    std::vector<CapturedMessageBox> m_boxes;
    CMessageBoxCapture* m_pOuter;
};

}  // namespace velmora
