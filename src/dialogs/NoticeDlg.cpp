#include "dialogs/NoticeDlg.h"

#include "dialogs/BlockingWait.h"
#include "dialogs/MessageBox.h"
#include "dialogs/PictureControl.h"
#include "dialogs/Pictures.h"
#include "dialogs/WindowPlacement.h"

#include <QFontMetrics>
#include <QLabel>

#include <memory>

namespace velmora {
namespace {

// A notice is logged once it has gone: a test driving the program from outside then knows that
// the command showing it is done and that the editor takes keys again.
const QString kNoticeLogTitle = QStringLiteral("notice");

void ShowAndWait(CNoticeDlg& dlg, QWidget* pView, int nMilliseconds) {
    MoveOverView(dlg, pView);
    dlg.show();
    PaintNow(dlg);
    BlockingWait(nMilliseconds);
}

std::unique_ptr<CNoticeDlg> MakeNotice(QWidget* pView, const QString& strWindowText) {
    auto pDlg = std::make_unique<CNoticeDlg>(pView);
    if (!strWindowText.isEmpty()) pDlg->setWindowTitle(strWindowText);
    return pDlg;
}

}  // namespace

CNoticeDlg::CNoticeDlg(QWidget* pView)
    : CPopupWindow(pView, 225, 38), m_pText(new QLabel(Client())), m_pPicture(new QLabel(Client())) {
    // A notice only tells; the keyboard stays with the editor.
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_pPicture->setGeometry(Dlu(0, 0, 225, 37));
    m_pPicture->setAlignment(Qt::AlignCenter);
    m_pText->setGeometry(Dlu(15, 18, 119, 8));
    m_pText->setAlignment(Qt::AlignCenter);
    m_pText->hide();
    m_pText->raise();  // the text line lies over the (empty) picture
}

void ShowNotice(QWidget* pView, int nBitmapId, const QString& strWindowText, int nMilliseconds) {
    std::unique_ptr<CNoticeDlg> pDlg = MakeNotice(pView, strWindowText);
    SetCentredPicture(*pDlg->m_pPicture, DrawNoticePicture(nBitmapId));
    ShowAndWait(*pDlg, pView, nMilliseconds);
    LogShownMessage(kNoticeLogTitle, QStringLiteral("picture %1").arg(nBitmapId));
}

void ShowTextNotice(QWidget* pView, const QString& strText, const QString& strWindowText, int nMilliseconds) {
    std::unique_ptr<CNoticeDlg> pDlg = MakeNotice(pView, strWindowText);
    pDlg->m_pText->setText(strText);
    // The line is laid out for a narrower font; widen it about its centre rather than cut it.
    QRect rc = pDlg->m_pText->geometry();
    const int cxNeeded = QFontMetrics(pDlg->m_pText->font()).horizontalAdvance(strText) + 4;
    if (cxNeeded > rc.width()) rc.adjust(-(cxNeeded - rc.width()) / 2, 0, (cxNeeded - rc.width() + 1) / 2, 0);
    pDlg->m_pText->setGeometry(rc);
    pDlg->m_pText->show();
    ShowAndWait(*pDlg, pView, nMilliseconds);
    LogShownMessage(kNoticeLogTitle, strText);
}

}  // namespace velmora
