// Find, Find Next and Replace in the view, with the modeless find/replace dialog.

#include "Tesslar2View.h"

#include "FindReplaceDlg.h"

#include <QApplication>
#include <QTextCursor>

namespace velmora {

bool CTesslar2View::FindAndSelect(const QString& strText, QTextDocument::FindFlags flags) {
    if (strText.isEmpty()) return false;
    m_strLastFind = strText;
    m_lastFindFlags = flags;
    QTextCursor found = document()->find(strText, textCursor(), flags);
    if (found.isNull()) {
        // Once round the document from the other end.
        QTextCursor from(document());
        from.movePosition(flags & QTextDocument::FindBackward ? QTextCursor::End : QTextCursor::Start);
        found = document()->find(strText, from, flags);
    }
    if (found.isNull()) {
        QApplication::beep();
        return false;
    }
    setTextCursor(found);
    ensureCursorVisible();
    return true;
}

int CTesslar2View::ReplaceAll(const QString& strFind, const QString& strReplace, QTextDocument::FindFlags flags) {
    if (strFind.isEmpty()) return 0;
    flags &= ~QTextDocument::FindBackward;
    int nCount = 0;
    QTextCursor edit(document());
    edit.beginEditBlock();
    QTextCursor found = document()->find(strFind, 0, flags);
    while (!found.isNull()) {
        found.insertText(strReplace);
        ++nCount;
        found = document()->find(strFind, found, flags);
    }
    edit.endEditBlock();
    if (nCount == 0) QApplication::beep();
    return nCount;
}

void CTesslar2View::ShowFindDialog(bool bReplace) {
    if (m_pFindDlg && m_pFindDlg->IsReplace() != bReplace) m_pFindDlg->close();
    if (!m_pFindDlg) {
        m_pFindDlg = new CFindReplaceDlg(bReplace, this);
        m_pFindDlg->setAttribute(Qt::WA_DeleteOnClose);
        m_pFindDlg->setLayoutDirection(Qt::LeftToRight);
        CFindReplaceDlg* pDlg = m_pFindDlg;
        connect(pDlg, &CFindReplaceDlg::FindNext, this,
                [this, pDlg] { FindAndSelect(pDlg->FindText(), pDlg->Flags()); });
        connect(pDlg, &CFindReplaceDlg::ReplaceCurrent, this, [this, pDlg] {
            QTextCursor cursor = textCursor();
            const Qt::CaseSensitivity cs =
                pDlg->Flags() & QTextDocument::FindCaseSensitively ? Qt::CaseSensitive : Qt::CaseInsensitive;
            if (cursor.hasSelection() && cursor.selectedText().compare(pDlg->FindText(), cs) == 0) {
                cursor.insertText(pDlg->ReplaceText());
                setTextCursor(cursor);
            }
            FindAndSelect(pDlg->FindText(), pDlg->Flags());
        });
        connect(pDlg, &CFindReplaceDlg::ReplaceAll, this,
                [this, pDlg] { ReplaceAll(pDlg->FindText(), pDlg->ReplaceText(), pDlg->Flags()); });
    }
    const QString strSelected = textCursor().selectedText();
    m_pFindDlg->SetFindText(!strSelected.isEmpty() && !strSelected.contains(QChar::ParagraphSeparator) ? strSelected
                                                                                                       : m_strLastFind);
    m_pFindDlg->show();
    m_pFindDlg->raise();
    m_pFindDlg->activateWindow();
}

void CTesslar2View::OnEditFind() { ShowFindDialog(false); }

void CTesslar2View::OnEditReplace() { ShowFindDialog(true); }

void CTesslar2View::OnEditRepeat() {
    if (m_strLastFind.isEmpty()) {
        OnEditFind();
        return;
    }
    FindAndSelect(m_strLastFind, m_lastFindFlags);
}
}  // namespace velmora
