#pragma once
// The About box: the program's picture, its name and version, who made it, and its rights.

#include <QDialog>

class QLabel;

namespace velmora {

// The text beside the picture: product name and version, credits, rights.
QString AboutText();

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* pParent = nullptr);

    QLabel* m_pPicture;  // 134
    QLabel* m_pText;
};

// Opens the About box modally over pOver (the main window; it opens in its middle), or in the
// middle of the screen without one; returns when it closes.
void ShowAboutBox(QWidget* pOver = nullptr);

}  // namespace velmora
