#include "SplashDlg.h"

#include "dialogs/BlockingWait.h"
#include "dialogs/Pictures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// Longest wait for the window to be exposed before painting anyway, in milliseconds. The splash
// is the program's first window, so the display may take longer than for later ones.
constexpr int kExposeWaitMs = 1000;

}  // namespace

CSplashDlg::CSplashDlg()
    : QDialog(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_pPicture(new QLabel(this)) {
    setObjectName(QStringLiteral("IDD_SPLASH"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_pPicture->setObjectName(QStringLiteral("IDC_PICTURE"));
    m_pPicture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pPicture->setLineWidth(2);
    m_pPicture->setPixmap(velmora::DrawSplashPicture());
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(m_pPicture);
    setFixedSize(pLayout->sizeHint());
}

void CSplashDlg::ShowPainted() {
    const QScreen* pScreen = QGuiApplication::primaryScreen();
    if (pScreen != nullptr) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(pScreen->geometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    // The wait that follows handles no events, so the window must be on screen before it starts:
    // let the display map and expose it, then paint it at once and flush the paint out.
    QElapsedTimer clock;
    clock.start();
    while ((windowHandle() == nullptr || !windowHandle()->isExposed()) && clock.elapsed() < kExposeWaitMs) {
        QThread::msleep(2);
        velmora::FlushPaintEvents();
    }
    repaint();
    velmora::FlushPaintEvents();
    QApplication::sync();
}

void ShowSplash() {
    CSplashDlg splash;
    splash.ShowPainted();
    velmora::BlockingWait(kSplashMs);
}
