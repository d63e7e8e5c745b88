#pragma once
// Print Setup: which printer Print and Print Preview use, and its page (paper, orientation,
// margins). The choice is kept only when the user presses OK.

#include <QDialog>
#include <QPageLayout>

class QComboBox;
class QPrinter;

namespace velmora {

class CPrintSetupDlg : public QDialog {
    Q_OBJECT
public:
    // Offers every printer the system knows, then printing to a PDF file; starts on pPrinter's
    // current choice.
    explicit CPrintSetupDlg(QPrinter* pPrinter, QWidget* pParent = nullptr);

    QComboBox* PrinterBox() const { return m_pPrinterBox; }
    // The entry that prints to a PDF file instead of a printer.
    static QString PdfFileEntry();

    void accept() override;

private:
    void OnPageSetup();
    // Gives pTarget the printer chosen in the box.
    void ApplyChoice(QPrinter& target) const;

    QPrinter* m_pPrinter;
    QComboBox* m_pPrinterBox;
    QPageLayout m_pageLayout;
};

}  // namespace velmora
