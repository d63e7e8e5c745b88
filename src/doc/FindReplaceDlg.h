#pragma once
// The program's find and replace window: modeless, one for Find (with a direction) and one for
// Replace (with the replacement and Replace / Replace All).

#include <QDialog>
#include <QTextDocument>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velmora {

class CFindReplaceDlg : public QDialog {
    Q_OBJECT
public:
    CFindReplaceDlg(bool bReplace, QWidget* pParent);

    void SetFindText(const QString& strText);
    QString FindText() const;
    QString ReplaceText() const;
    // Match case, whole words and (Find only) searching upwards.
    QTextDocument::FindFlags Flags() const;
    bool IsReplace() const { return m_bReplace; }

signals:
    void FindNext();
    void ReplaceCurrent();
    void ReplaceAll();

private:
    void UpdateButtons();

    bool m_bReplace;
    QLineEdit* m_editFind;
    QLineEdit* m_editReplace = nullptr;
    QCheckBox* m_checkWholeWord;
    QCheckBox* m_checkMatchCase;
    QRadioButton* m_radioUp = nullptr;
    QPushButton* m_btnFindNext;
    QPushButton* m_btnReplace = nullptr;
    QPushButton* m_btnReplaceAll = nullptr;
};

}  // namespace velmora
