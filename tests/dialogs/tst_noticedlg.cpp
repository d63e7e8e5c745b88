// The notice window: each notice's picture or text, its time, its place, and that it is on the
// screen when the thread starts to wait.

#include "ScreenGrab.h"

#include "dialogs/BlockingWait.h"
#include "dialogs/NoticeDlg.h"
#include "dialogs/Pictures.h"
#include "dialogs/WindowPlacement.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTest>

#include <memory>
#include <vector>

using namespace velmora;

namespace {

struct NoticeSeen {
    int nMs = -1;
    QString strTitle;
    QPoint pos;
    bool bTextShown = false;
    QString strText;
    QSize szPicture;
    int nRedOnScreen = 0;
    int nGreenOnScreen = 0;
    bool bVisible = false;
};

CNoticeDlg* OpenNotice() {
    for (QWidget* pTop : QApplication::topLevelWidgets()) {
        if (auto* pDlg = qobject_cast<CNoticeDlg*>(pTop); pDlg && pDlg->isVisible()) return pDlg;
    }
    return nullptr;
}

}  // namespace

class tst_NoticeDlg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void pictureNotice_data();
    void pictureNotice();
    void textNoticeOfPasteFromInternet();
    void noticeReallyBlocksForItsTimeAndCloses();
    void unknownPictureStillWaits();

private:
    NoticeSeen m_seen;
    std::unique_ptr<QWidget> m_pView;
};

void tst_NoticeDlg::init() {
    m_pView = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
    m_pView->setGeometry(100, 50, 700, 350);
    m_pView->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pView.get()));
    m_seen = NoticeSeen();
    SetBlockingWait([this](int nMs) {
        m_seen.nMs = nMs;
        CNoticeDlg* pDlg = OpenNotice();
        if (!pDlg) return;
        m_seen.bVisible = true;
        m_seen.strTitle = pDlg->windowTitle();
        m_seen.pos = pDlg->pos();
        m_seen.bTextShown = pDlg->m_pText->isVisible();
        m_seen.strText = pDlg->m_pText->text();
        m_seen.szPicture = pDlg->m_pPicture->pixmap().size();
        const QImage screen = test::GrabScreenUnder(*pDlg);
        m_seen.nRedOnScreen = test::CountPixels(screen, QColor(255, 0, 0));
        m_seen.nGreenOnScreen = test::CountPixels(screen, QColor(0, 255, 0));
    });
}

void tst_NoticeDlg::cleanup() {
    SetBlockingWait({});
    m_pView.reset();
}

void tst_NoticeDlg::pictureNotice_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("size");
    QTest::newRow("NOTHING TO COPY?") << kBitmapNothingToCopy << QString() << QSize(290, 26);
    QTest::newRow("NOTHING TO PASTE?") << kBitmapNothingToPaste << kPasteFromInternetTitle << QSize(311, 23);
    QTest::newRow("CLIPBOARD IS EMPTY!") << kBitmapClipboardEmpty << QString() << QSize(317, 23);
    QTest::newRow("SCREEN IS EMPTY!") << kBitmapScreenEmpty << QString() << QSize(268, 23);
}

void tst_NoticeDlg::pictureNotice() {
    QFETCH(int, id);
    QFETCH(QString, title);
    QFETCH(QSize, size);
    ShowNotice(m_pView.get(), id, title);
    QVERIFY(m_seen.bVisible);
    QCOMPARE(m_seen.nMs, 500);
    QCOMPARE(m_seen.pos, QPoint(328, 164));
    if (!title.isEmpty()) QCOMPARE(m_seen.strTitle, title);
    QVERIFY(!m_seen.bTextShown);
    QCOMPARE(m_seen.szPicture, size);
    // Red words on a green band, on the screen before the wait began.
    QVERIFY2(m_seen.nGreenOnScreen > size.width() * size.height() / 2, "the green band is not on screen");
    QVERIFY2(m_seen.nRedOnScreen > 100, "the red words are not on screen");
    QVERIFY(!OpenNotice());
}

void tst_NoticeDlg::textNoticeOfPasteFromInternet() {
    ShowTextNotice(m_pView.get(), kNothingToPasteText, kPasteFromInternetTitle);
    QVERIFY(m_seen.bVisible);
    QCOMPARE(m_seen.nMs, 800);
    QCOMPARE(m_seen.strTitle, QStringLiteral("Paste from Internet"));
    QVERIFY(m_seen.bTextShown);
    QCOMPARE(m_seen.strText, QStringLiteral("N O T H I N G  TO  P A S T E ?"));
    QVERIFY(m_seen.szPicture.isEmpty());  // a line of text, not a picture
    QCOMPARE(m_seen.nGreenOnScreen, 0);
    QVERIFY(!OpenNotice());
}

void tst_NoticeDlg::noticeReallyBlocksForItsTimeAndCloses() {
    SetBlockingWait({});
    QElapsedTimer timer;
    timer.start();
    ShowNotice(m_pView.get(), kBitmapClipboardEmpty);
    QVERIFY(timer.elapsed() >= 500);
    QVERIFY(!OpenNotice());
    timer.restart();
    ShowTextNotice(m_pView.get(), kNothingToPasteText, kPasteFromInternetTitle);
    QVERIFY(timer.elapsed() >= 800);
    QVERIFY(!OpenNotice());
}

void tst_NoticeDlg::unknownPictureStillWaits() {
    ShowNotice(m_pView.get(), 4242);
    QVERIFY(m_seen.bVisible);
    QCOMPARE(m_seen.nMs, 500);
    QVERIFY(m_seen.szPicture.isEmpty());
}

QTEST_MAIN(tst_NoticeDlg)
#include "tst_noticedlg.moc"
