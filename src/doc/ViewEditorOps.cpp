#include "ViewEditorOps.h"

#include "ViewSnapshot.h"

#include <QTextCursor>
#include <QTextEdit>

namespace velmora {

CViewEditorOps::CViewEditorOps(QTextEdit& view) : m_view(view) { Refresh(); }

void CViewEditorOps::Refresh() { SnapshotView(m_view, m_model); }

void CViewEditorOps::SetSel(int32_t nStart, int32_t nEnd) {
    m_model.SetSel(nStart, nEnd);
    int32_t a = 0, b = 0;
    m_model.GetSel(a, b);
    const QTextDocument& doc = *m_view.document();
    QTextCursor cursor(m_view.document());
    cursor.setPosition(QtPosition(doc, m_model, a));
    cursor.setPosition(QtPosition(doc, m_model, b), QTextCursor::KeepAnchor);
    m_view.setTextCursor(cursor);
}

void CViewEditorOps::GetSel(int32_t& nStart, int32_t& nEnd) const {
    const QTextCursor cursor = m_view.textCursor();
    const QTextDocument& doc = *m_view.document();
    nStart = ModelPosition(doc, m_model, cursor.selectionStart());
    nEnd = ModelPosition(doc, m_model, cursor.selectionEnd());
}

void CViewEditorOps::SyncSelection() const {
    int32_t a = 0, b = 0;
    GetSel(a, b);
    m_model.SetSelRaw(a, b);
}

std::u32string CViewEditorOps::GetSelText() const {
    SyncSelection();
    return m_model.GetSelText();
}

CharFormat CViewEditorOps::GetSelCharFormat() const {
    SyncSelection();
    return m_model.GetSelCharFormat();
}

ParaFormat CViewEditorOps::GetSelParaFormat() const {
    SyncSelection();
    return m_model.GetSelParaFormat();
}

}  // namespace velmora
