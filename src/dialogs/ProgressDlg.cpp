#include "dialogs/ProgressDlg.h"

#include "dialogs/BlockingWait.h"
#include "dialogs/PictureControl.h"
#include "dialogs/Pictures.h"
#include "dialogs/WindowPlacement.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

namespace velmora {
namespace {

// The window's client area in dialog units. It is taller than the 38 units its bar and caption
// need so that the Cancel converting button below them (31 + 14 units) is not cut off: a failed
// conversion leaves the window open for the user to close with it.
constexpr int kClientWidthDlu = 166;
constexpr int kClientHeightDlu = 48;

// A running conversion repaints at least this often, even when the percentage stays the same.
constexpr qint64 kRepaintIntervalMs = 100;
// A new percentage is painted at once unless the last paint is more recent than this.
constexpr qint64 kMinRepaintMs = 40;

}  // namespace

CProgressDlg::CProgressDlg(QWidget* pView, StatusSink fnStatus)
    : CPopupWindow(pView, kClientWidthDlu, kClientHeightDlu),
      m_pPicture(new QLabel(Client())),
      m_pPercent(new QLabel(QStringLiteral("0%"), Client())),
      m_pCancel(new QPushButton(QStringLiteral("Cancel converting"), Client())),
      m_pCaption(new QLabel(QStringLiteral("Converting non-styled text to HTML format "), Client())),
      m_pBar(new QProgressBar(Client())),
      m_fnStatus(std::move(fnStatus)) {
    m_pCancel->setGeometry(Dlu(86, 31, 73, 14));
    m_pCancel->setDefault(true);
    m_pCancel->hide();
    m_pBar->setGeometry(Dlu(5, 16, 154, 9));
    m_pBar->setTextVisible(false);
    m_pCaption->setGeometry(Dlu(5, 4, 133, 8));
    m_pCaption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pPercent->setGeometry(Dlu(142, 4, 17, 8));
    m_pPercent->setAlignment(Qt::AlignCenter);
    m_pPicture->setGeometry(Dlu(0, 0, kClientWidthDlu, kClientHeightDlu));
    SetCentredPicture(*m_pPicture, DrawNoticePicture(kBitmapReady));
    m_pPicture->lower();  // under the other controls until it is shown alone
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CProgressDlg::Begin(const QString& strCaption, int nTotal) {
    // A window left open by a failed conversion is taken over rather than joined by a second.
    MoveOverView(*this, parentWidget());
    m_pBar->show();
    m_pCaption->show();
    m_pPercent->show();
    m_pPicture->hide();
    m_pCancel->show();
    m_pCaption->setText(strCaption);
    m_pBar->setRange(0, qMax(0, nTotal));
    m_pBar->setValue(0);
    m_pPercent->setText(QStringLiteral("0%"));
    if (QApplication::activeWindow() != this) m_pWasActive = QApplication::activeWindow();
    show();
    activateWindow();
    m_pCancel->setFocus();
    PaintNow(*this);
    m_lastPaint.start();
}

void CProgressDlg::Step(int nCount, int nPercent) {
    if (!IsOpen() || nCount <= 0) return;
    // The bar stops at its end instead of starting over, should the counts overshoot.
    const qint64 nValue = static_cast<qint64>(m_pBar->value()) + nCount;
    // The bar would paint itself at once for every pixel it grows, thousands of times in a large
    // document; it is painted with the rest of the window when a paint is due.
    m_pBar->setUpdatesEnabled(false);
    m_pBar->setValue(static_cast<int>(qMin<qint64>(nValue, m_pBar->maximum())));
    m_pBar->setUpdatesEnabled(true);
    const QString strOld = m_pPercent->text();
    ShowPercent(nPercent);
    PaintIfDue(m_pPercent->text() != strOld);
}

void CProgressDlg::Finish(const QString& strStatus) {
    ShowPercent(100);
    ShowStatusText(strStatus + QStringLiteral("100%"));
    PaintNow(*this);
    BlockingWait(kProgressReadyMilliseconds);
    ShowStatusText(kStatusReady);
    m_pBar->hide();
    m_pCancel->hide();
    m_pCaption->hide();
    m_pPercent->hide();
    m_pPicture->show();
    m_pPicture->raise();
    PaintNow(*this);
    BlockingWait(kProgressReadyMilliseconds);
    hide();
}

void CProgressDlg::hideEvent(QHideEvent* pEvent) {
    CPopupWindow::hideEvent(pEvent);
    // Without this the editor would be left without the keyboard after every conversion.
    if (m_pWasActive && m_pWasActive->isVisible()) m_pWasActive->activateWindow();
}

void CProgressDlg::ShowStatusText(const QString& strText) {
    if (m_fnStatus) {
        m_fnStatus(strText);
        return;
    }
    QWidget* pView = parentWidget();
    auto* pMain = pView ? qobject_cast<QMainWindow*>(pView->window()) : nullptr;
    if (!pMain) return;
    QStatusBar* pStatus = pMain->statusBar();
    pStatus->showMessage(strText);
    pStatus->repaint();
}

void CProgressDlg::ShowPercent(int nPercent) { m_pPercent->setText(QString::number(nPercent) + QLatin1Char('%')); }

void CProgressDlg::PaintIfDue(bool bChanged) {
    // A repaint for every piece of a large document would cost more than the conversion; a new
    // percentage or the interval is enough to keep the window alive.
    if (m_lastPaint.isValid()) {
        const qint64 nSince = m_lastPaint.elapsed();
        if (nSince < (bChanged ? kMinRepaintMs : kRepaintIntervalMs)) return;
    }
    PaintNow(*this);
    m_lastPaint.start();
}

}  // namespace velmora
