// Dropping on the view: a document dragged from a file manager opens; anything else dropped (text,
// a link from a browser, a selection moved within the view) is inserted as before.

#include "DraggedFile.h"
#include "Tesslar2View.h"
#include "ViewFrame.h"

#include <QDropEvent>

namespace velmora {

// A file dragged over the view is taken, to be opened where it is dropped; true then.
bool CTesslar2View::TakeDraggedFile(QDragMoveEvent* pEvent) const {
    if (!m_pFrame || DraggedLocalFile(pEvent->mimeData()).isEmpty()) return false;
    pEvent->acceptProposedAction();
    return true;
}

void CTesslar2View::dragEnterEvent(QDragEnterEvent* pEvent) {
    if (!TakeDraggedFile(pEvent)) QTextEdit::dragEnterEvent(pEvent);
}

void CTesslar2View::dragMoveEvent(QDragMoveEvent* pEvent) {
    if (!TakeDraggedFile(pEvent)) QTextEdit::dragMoveEvent(pEvent);
}

void CTesslar2View::dropEvent(QDropEvent* pEvent) {
    const QString strFile = m_pFrame ? DraggedLocalFile(pEvent->mimeData()) : QString();
    if (strFile.isEmpty()) {
        QTextEdit::dropEvent(pEvent);
        return;
    }
    pEvent->acceptProposedAction();
    m_pFrame->OpenDroppedFile(strFile);
}

}  // namespace velmora
