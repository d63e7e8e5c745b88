#include "dialogs/PopupWindow.h"

#include "dialogs/DialogUnits.h"

#include <QFrame>

namespace velmora {
namespace {

constexpr int kFrameWidth = 3;

}  // namespace

CPopupWindow::CPopupWindow(QWidget* pView, int cxDlu, int cyDlu)
    : QDialog(pView, Qt::Dialog | Qt::FramelessWindowHint),
      m_pFrame(new QFrame(this)),
      m_pClient(new QWidget(m_pFrame)) {
    const QSize szClient = DluSize(font(), cxDlu, cyDlu);
    m_pFrame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_pFrame->setLineWidth(kFrameWidth);
    m_pFrame->setGeometry(0, 0, szClient.width() + 2 * kFrameWidth, szClient.height() + 2 * kFrameWidth);
    m_pClient->setGeometry(kFrameWidth, kFrameWidth, szClient.width(), szClient.height());
    setFixedSize(m_pFrame->size());
}

QRect CPopupWindow::Dlu(int x, int y, int cx, int cy) const { return DluRect(font(), x, y, cx, cy); }

}  // namespace velmora
