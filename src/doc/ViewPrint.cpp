// Printing the view's document: Print, Print (direct) and Print Preview.

#include "Tesslar2View.h"

#include "dialogs/AppSettings.h"

#include <QAbstractTextDocumentLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTextFrame>

#include <memory>

namespace velmora {

void CTesslar2View::PrintDocument(QPrinter* pPrinter) {
    // A copy laid out on the printer's pages, so that the page margins are the only margins.
    std::unique_ptr<QTextDocument> pCopy(document()->clone());
    pCopy->documentLayout()->setPaintDevice(pPrinter);
    pCopy->setPageSize(pPrinter->pageRect(QPrinter::DevicePixel).size());
    QTextFrameFormat frame = pCopy->rootFrame()->frameFormat();
    frame.setMargin(0);
    pCopy->rootFrame()->setFrameFormat(frame);
    pCopy->print(pPrinter);
}

void CTesslar2View::OnFilePrint() {
    if (!m_pPrinter) return;
    QPrintDialog dialog(m_pPrinter, this);
    if (dialog.exec() == QDialog::Accepted) PrintDocument(m_pPrinter);
}

void CTesslar2View::OnFilePrintDirect() {
    if (m_pPrinter) PrintDocument(m_pPrinter);
}

void CTesslar2View::OnFilePrintPreview() {
    if (!m_pPrinter) return;
    QSettings settings = AppSettings();
    const int nPages = settings.value(QStringLiteral("Settings/PreviewPages"), 1).toInt();
    QPrintPreviewDialog dialog(m_pPrinter, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, &CTesslar2View::PrintDocument);
    auto* pPreview = dialog.findChild<QPrintPreviewWidget*>();
    if (pPreview && nPages == 2) pPreview->setViewMode(QPrintPreviewWidget::FacingPagesView);
    dialog.exec();
    if (pPreview) {
        settings.setValue(QStringLiteral("Settings/PreviewPages"),
                          pPreview->viewMode() == QPrintPreviewWidget::FacingPagesView ? 2 : 1);
    }
}

}  // namespace velmora
