// Dropping on the view: a document dragged from a file manager opens; anything else dropped (text,
// a link from a browser, a selection moved within the view) is inserted as before.

#include "Tesslar2View.h"
#include "ViewFrame.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace velmora {

namespace {

// The first file of this computer among what is dragged, or nothing.
QString DraggedLocalFile(const QMimeData* pData) {
    if (!pData || !pData->hasUrls()) return {};
    for (const QUrl& url : pData->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return {};
}

}  // namespace

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
