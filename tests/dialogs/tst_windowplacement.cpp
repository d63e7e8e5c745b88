// The progress and notice windows stay wholly on the screen that holds the editor, moved as
// little as needed from where the placement rule puts them.

#include "dialogs/BlockingWait.h"
#include "dialogs/NoticeDlg.h"
#include "dialogs/ProgressDlg.h"
#include "dialogs/WindowPlacement.h"

#include <QApplication>
#include <QScreen>
#include <QTextEdit>
#include <QtTest>

using namespace velmora;

class tst_WindowPlacement : public QObject {
    Q_OBJECT
private slots:
    void keepOnScreen_data();
    void keepOnScreen();
    void windowsNearTheScreenEdge_data();
    void windowsNearTheScreenEdge();
};

void tst_WindowPlacement::keepOnScreen_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("expected");
    const QRect screen(0, 0, 1280, 1024);
    QTest::newRow("inside stays") << QPoint(328, 164) << QSize(300, 70) << screen << QPoint(328, 164);
    QTest::newRow("past the right edge") << QPoint(1363, 500) << QSize(300, 70) << screen << QPoint(980, 500);
    QTest::newRow("past the bottom edge") << QPoint(100, 1000) << QSize(300, 70) << screen << QPoint(100, 954);
    QTest::newRow("flush with both edges") << QPoint(980, 954) << QSize(300, 70) << screen << QPoint(980, 954);
    QTest::newRow("second screen, left of it")
        << QPoint(1200, 10) << QSize(300, 70) << QRect(1280, 0, 1024, 768) << QPoint(1280, 10);
    QTest::newRow("screen left of the primary")
        << QPoint(-10, 700) << QSize(300, 70) << QRect(-1024, 0, 1024, 768) << QPoint(-300, 698);
    QTest::newRow("larger than the screen") << QPoint(50, 50) << QSize(2000, 70) << screen << QPoint(0, 50);
}

void tst_WindowPlacement::keepOnScreen() {
    QFETCH(QPoint, at);
    QFETCH(QSize, size);
    QFETCH(QRect, screen);
    QFETCH(QPoint, expected);
    QCOMPARE(KeepOnScreen(at, size, screen), expected);
}

void tst_WindowPlacement::windowsNearTheScreenEdge_data() {
    QTest::addColumn<bool>("notice");
    QTest::newRow("notice") << true;
    QTest::newRow("progress") << false;
}

void tst_WindowPlacement::windowsNearTheScreenEdge() {
    QFETCH(bool, notice);
    const QRect rcScreen = QGuiApplication::primaryScreen()->availableGeometry();
    // The view in the screen's bottom-right corner: the rule alone goes past both edges.
    QTextEdit view;
    view.setWindowFlags(Qt::FramelessWindowHint);
    view.setGeometry(rcScreen.right() - 500, rcScreen.bottom() - 300, 500, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QRect rcClient = ClientRectOnScreen(view);
    const QPoint ruled = PlaceOverView(rcClient.left(), rcClient.top(), rcClient.left() + rcClient.width(),
                                       rcClient.top() + rcClient.height());

    QRect rcWindow;
    if (notice) {
        // Read the window's place while it is up.
        const auto fnOldWait = SetBlockingWait([&](int) {
            for (QWidget* pTop : QApplication::topLevelWidgets()) {
                if (qobject_cast<CNoticeDlg*>(pTop) && pTop->isVisible()) rcWindow = pTop->frameGeometry();
            }
        });
        ShowNotice(&view, 157);
        SetBlockingWait(fnOldWait);
    } else {
        CProgressDlg dlg(&view);
        dlg.Begin(QStringLiteral("Converting text to HTML format"), 1);
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        rcWindow = dlg.frameGeometry();
    }
    QVERIFY(!rcWindow.isEmpty());
    QVERIFY(!rcScreen.contains(QRect(ruled, rcWindow.size())));
    QVERIFY2(rcScreen.contains(rcWindow), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                         .arg(rcWindow.x())
                                                         .arg(rcWindow.y())
                                                         .arg(rcWindow.width())
                                                         .arg(rcWindow.height())));
    // Only as far as needed: flush with the edges the rule crossed.
    QCOMPARE(rcWindow.right(), std::min(rcScreen.right(), ruled.x() + rcWindow.width() - 1));
    QCOMPARE(rcWindow.bottom(), std::min(rcScreen.bottom(), ruled.y() + rcWindow.height() - 1));
}

QTEST_MAIN(tst_WindowPlacement)
#include "tst_windowplacement.moc"
