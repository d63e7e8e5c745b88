#include "PrintSetupDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

QString CPrintSetupDlg::PdfFileEntry() { return QStringLiteral("PDF file"); }

CPrintSetupDlg::CPrintSetupDlg(QPrinter* pPrinter, QWidget* pParent)
    : QDialog(pParent), m_pPrinter(pPrinter), m_pPrinterBox(new QComboBox(this)), m_pageLayout(pPrinter->pageLayout()) {
    setWindowTitle(QStringLiteral("Print Setup"));
    m_pPrinterBox->setObjectName(QStringLiteral("PrinterName"));
    m_pPrinterBox->addItems(QPrinterInfo::availablePrinterNames());
    m_pPrinterBox->addItem(PdfFileEntry());
    const bool bPdf = pPrinter->outputFormat() == QPrinter::PdfFormat;
    const QString strCurrent =
        pPrinter->printerName().isEmpty() ? QPrinterInfo::defaultPrinterName() : pPrinter->printerName();
    const int nCurrent = bPdf ? m_pPrinterBox->count() - 1 : m_pPrinterBox->findText(strCurrent);
    m_pPrinterBox->setCurrentIndex(nCurrent >= 0 ? nCurrent : 0);

    auto* pForm = new QFormLayout;
    pForm->addRow(QStringLiteral("&Name:"), m_pPrinterBox);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* pPage = pButtons->addButton(QStringLiteral("&Page..."), QDialogButtonBox::ActionRole);
    connect(pPage, &QPushButton::clicked, this, &CPrintSetupDlg::OnPageSetup);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addWidget(pButtons);
}

void CPrintSetupDlg::ApplyChoice(QPrinter& target) const {
    if (m_pPrinterBox->currentText() == PdfFileEntry()) {
        target.setOutputFormat(QPrinter::PdfFormat);
        return;
    }
    target.setOutputFormat(QPrinter::NativeFormat);
    target.setPrinterName(m_pPrinterBox->currentText());
}

void CPrintSetupDlg::OnPageSetup() {
    // The page is set on a scratch printer, so that Cancel here leaves everything as it was.
    QPrinter scratch(QPrinter::HighResolution);
    ApplyChoice(scratch);
    scratch.setPageLayout(m_pageLayout);
    QPageSetupDialog dialog(&scratch, this);
    if (dialog.exec() == QDialog::Accepted) m_pageLayout = scratch.pageLayout();
}

void CPrintSetupDlg::accept() {
    ApplyChoice(*m_pPrinter);
    m_pPrinter->setPageLayout(m_pageLayout);
    QDialog::accept();
}

}  // namespace velmora
