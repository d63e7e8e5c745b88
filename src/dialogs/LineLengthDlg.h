#pragma once
// The "Set line length" dialog (template 149): a digits-only field, OK and Cancel, and the range
// the field accepts.

#include <QDialog>

class QLineEdit;

namespace velmora {

class CLineLengthDlg : public QDialog {
    Q_OBJECT
public:
    // nLength is what the field starts with; pszCaption the window title.
    CLineLengthDlg(int nLength, const char* pszCaption, QWidget* pParent = nullptr);

    int m_nLength;  // the entered length once the dialog ended with OK
    const char* m_pszCaption;
    QLineEdit* m_editLength;  // control 1016

    // Reads the field into m_nLength and checks 1 <= m_nLength <= 256. On failure shows
    // "Please enter an integer." (not an integer, empty included) or "Please enter an integer
    // between 1 and 256.", gives the field the focus with its text selected, and returns false.
    bool DoDataExchange();

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    void BuildControls();
};

// The caption the view gives the dialog.
inline constexpr const char* kLineLengthCaption = "Set line length for text convertion";

}  // namespace velmora
