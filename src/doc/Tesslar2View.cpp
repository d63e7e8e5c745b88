#include "Tesslar2View.h"

#include "LineLength.h"
#include "Tesslar2Doc.h"
#include "ViewFrame.h"
#include "dialogs/LineLengthDlg.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QPrinter>
#include <QTextCursor>

namespace velmora {

namespace {

constexpr double kPrintMarginInches = 720.0 / 1440.0;  // 720 twips

}  // namespace

CTesslar2View::CTesslar2View(CTesslar2Doc* pDoc, QWidget* pParent)
    : QTextEdit(pParent), m_wndProgress(this), m_pDoc(pDoc) {
    setObjectName(QStringLiteral("Tesslar2View"));
    setDocument(pDoc->GetTextDocument());
    // Right-to-left reading order puts the vertical scroll bar on the left.
    setLayoutDirection(Qt::RightToLeft);
    setAcceptRichText(true);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    OnInitialUpdate();
}

CTesslar2View::~CTesslar2View() = default;

void CTesslar2View::OnInitialUpdate() {
    if (m_pPrinter) {
        m_pPrinter->setPageMargins(
            QMarginsF(kPrintMarginInches, kPrintMarginInches, kPrintMarginInches, kPrintMarginInches),
            QPageLayout::Inch);
    }
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
}

void CTesslar2View::SetPrinter(QPrinter* pPrinter) {
    m_pPrinter = pPrinter;
    OnInitialUpdate();
}

void CTesslar2View::OnSetLineLength() {
    CLineLengthDlg dlg(g_nLineLength, kLineLengthCaption, this);
    if (dlg.exec() != QDialog::Accepted) return;
    g_nLineLength = dlg.m_nLength;
    if (m_pFrame) m_pFrame->RememberLineLength(g_nLineLength);
}

bool CTesslar2View::event(QEvent* pEvent) {
    // Keys of the window's commands reach them even where the editor would act on them itself
    // (Ctrl+C, Ctrl+Z, ...), so that every accelerator runs through one route.
    if (pEvent->type() == QEvent::ShortcutOverride && m_pFrame) {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        if (m_pFrame->IsCommandKey(pKey->keyCombination())) {
            pEvent->ignore();
            return true;
        }
    }
    return QTextEdit::event(pEvent);
}

void CTesslar2View::contextMenuEvent(QContextMenuEvent* pEvent) {
    if (m_pFrame) m_pFrame->ShowContextMenu(pEvent->globalPos());
}

void CTesslar2View::HideSelection(bool bHide) {
    QPalette pal = palette();
    const QPalette standard = QApplication::palette(this);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Highlight,
                     bHide ? pal.color(group, QPalette::Base) : standard.color(group, QPalette::Highlight));
        pal.setColor(group, QPalette::HighlightedText,
                     bHide ? pal.color(group, QPalette::Text) : standard.color(group, QPalette::HighlightedText));
    }
    setPalette(pal);
    viewport()->update();
}

}  // namespace velmora
