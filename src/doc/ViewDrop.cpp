// Dropping on the view: a document dragged from a file manager opens; anything else dropped (text,
// a link from a browser, a selection moved within the view) is inserted as before.

#include "DraggedFile.h"
#include "Tesslar2View.h"
#include "ViewFrame.h"

#include <QDropEvent>

namespace velmora {

void CTesslar2View::dragEnterEvent(QDragEnterEvent* pEvent) {
    if (m_pFrame && !DraggedLocalFile(pEvent->mimeData()).isEmpty()) {
        pEvent->acceptProposedAction();
        return;
    }
    QTextEdit::dragEnterEvent(pEvent);
}

void CTesslar2View::dragMoveEvent(QDragMoveEvent* pEvent) {
    if (m_pFrame && !DraggedLocalFile(pEvent->mimeData()).isEmpty()) {
        pEvent->acceptProposedAction();
        return;
    }
    QTextEdit::dragMoveEvent(pEvent);
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
