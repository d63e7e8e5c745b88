#include "SplashDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include <chrono>
#include <thread>

namespace {

constexpr int PICTURE_WIDTH = 450;
constexpr int PICTURE_HEIGHT = 320;
// Longest wait for the window to be exposed before painting anyway, in milliseconds.
constexpr int EXPOSE_WAIT_MS = 1000;

// Picture 146: the product's name over a blue band, with its purpose in Hebrew and English.
QPixmap DrawSplashPicture() {
    QPixmap picture(PICTURE_WIDTH, PICTURE_HEIGHT);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, PICTURE_HEIGHT);
    sky.setColorAt(0.0, QColor(16, 42, 110));
    sky.setColorAt(1.0, QColor(40, 120, 190));
    painter.fillRect(picture.rect(), sky);
    painter.fillRect(QRect(0, 210, PICTURE_WIDTH, 4), QColor(240, 190, 40));

    QFont titleFont(QStringLiteral("DejaVu Sans"), 44, QFont::Bold);
    painter.setFont(titleFont);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 40, PICTURE_WIDTH, 80), Qt::AlignCenter, QStringLiteral("Velmora"));

    QFont hebrewFont(QStringLiteral("DejaVu Sans"), 18);
    painter.setFont(hebrewFont);
    painter.drawText(QRect(0, 125, PICTURE_WIDTH, 36), Qt::AlignCenter,
                     QStringLiteral(u"עברית לאינטרנט"));

    QFont smallFont(QStringLiteral("DejaVu Sans"), 11);
    painter.setFont(smallFont);
    painter.setPen(QColor(220, 230, 255));
    painter.drawText(QRect(0, 165, PICTURE_WIDTH, 30), Qt::AlignCenter,
                     QStringLiteral("Hebrew text for Macromedia authoring tools"));
    painter.drawText(QRect(0, 240, PICTURE_WIDTH, 30), Qt::AlignCenter,
                     QStringLiteral("Version 2.0"));
    return picture;
}

}  // namespace

CSplashDlg::CSplashDlg()
    : QDialog(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_pPicture(new QLabel(this)) {
    setObjectName(QStringLiteral("IDD_SPLASH"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_pPicture->setObjectName(QStringLiteral("IDC_PICTURE"));
    m_pPicture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pPicture->setLineWidth(2);
    m_pPicture->setPixmap(DrawSplashPicture());
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
    while ((windowHandle() == nullptr || !windowHandle()->isExposed()) &&
           clock.elapsed() < EXPOSE_WAIT_MS) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    repaint();
    QCoreApplication::processEvents();
    QApplication::sync();
}

void ShowSplash() {
    CSplashDlg splash;
    splash.ShowPainted();
    std::this_thread::sleep_for(std::chrono::milliseconds(SPLASH_MS));
}
