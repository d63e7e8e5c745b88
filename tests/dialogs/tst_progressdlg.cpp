// The conversion progress window: placement, the bar and its percentage, READY!, Cancel, and
// that what the window shows has reached the screen while the thread is kept busy.

#include "ScreenGrab.h"

#include "dialogs/BlockingWait.h"
#include "dialogs/Pictures.h"
#include "dialogs/ProgressAdapter.h"
#include "dialogs/ProgressDlg.h"
#include "dialogs/WindowPlacement.h"

#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>

#include <memory>
#include <vector>

using namespace velmora;

class tst_ProgressDlg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void placeOverView_data();
    void placeOverView();
    void beginPlacesWindowOverView();
    void placedOverTextViewsClientArea();
    void beginShowsCaptionBarAndCancel();
    void step_data();
    void step();
    void stepWithClosedWindowDoesNothing();
    void stepIsOnScreenAtOnce();
    void finishShowsFullThenReadyAlone();
    void cancelClosesWindowAndBeginReusesIt();
    void adapterForwardsStepsAndChangedStatusTexts();
    void statusGoesToMainWindowWithoutSink();

private:
    std::unique_ptr<QWidget> m_pView;
    std::unique_ptr<CProgressDlg> m_pDlg;
    std::vector<QString> m_status;
};

void tst_ProgressDlg::init() {
    // A view whose client area lies at (100, 50) on the screen, 700 x 350.
    m_pView = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
    m_pView->setGeometry(100, 50, 700, 350);
    m_pView->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pView.get()));
    m_pView->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pView.get()));
    m_status.clear();
    m_pDlg = std::make_unique<CProgressDlg>(m_pView.get(), [this](const QString& str) { m_status.push_back(str); });
}

void tst_ProgressDlg::cleanup() {
    SetBlockingWait({});
    m_pDlg.reset();
    m_pView.reset();
}

void tst_ProgressDlg::placeOverView_data() {
    QTest::addColumn<QRect>("client");  // left, top, right, bottom in screen pixels
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("view at 100,50, 700 x 350") << QRect(QPoint(100, 50), QPoint(800, 400)) << QPoint(328, 164);
    QTest::newRow("view at the origin") << QRect(QPoint(0, 0), QPoint(700, 350)) << QPoint(200, 100);
    // 6 * 2/7 = 1.71 and 3 * 2/7 = 0.86: truncated, not rounded.
    QTest::newRow("fractions truncate") << QRect(QPoint(0, 0), QPoint(6, 3)) << QPoint(1, 0);
    // Left of the primary screen: -700 + (-100) * 2/7 = -728.57 goes toward zero, to -728.
    QTest::newRow("negative truncates toward zero")
        << QRect(QPoint(-700, -300), QPoint(-100, -20)) << QPoint(-728, -305);
}

void tst_ProgressDlg::placeOverView() {
    QFETCH(QRect, client);
    QFETCH(QPoint, expected);
    // QRect's right() and bottom() are inclusive; the rule takes the exclusive edges.
    QCOMPARE(PlaceOverView(client.left(), client.top(), client.right(), client.bottom()), expected);
}

void tst_ProgressDlg::beginPlacesWindowOverView() {
    const QSize szBefore = m_pDlg->size();
    m_pDlg->Begin(QStringLiteral("Converting text to HTML format"), 10);
    QCOMPARE(m_pDlg->pos(), QPoint(328, 164));
    QCOMPARE(m_pDlg->size(), szBefore);
}

void tst_ProgressDlg::placedOverTextViewsClientArea() {
    // A text view's client area is inside its frame and left of its scroll bar.
    QTextEdit textView;
    textView.setWindowFlags(Qt::FramelessWindowHint);
    textView.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textView.setGeometry(100, 50, 700, 350);
    textView.show();
    QVERIFY(QTest::qWaitForWindowExposed(&textView));
    const QRect rcClient(textView.viewport()->mapToGlobal(QPoint(0, 0)), textView.viewport()->size());
    QVERIFY(rcClient.width() < 700);
    QCOMPARE(ClientRectOnScreen(textView), rcClient);
    CProgressDlg dlg(&textView);
    dlg.Begin(QStringLiteral("Converting text to HTML format"), 1);
    QCOMPARE(dlg.pos(), PlaceOverView(rcClient.left(), rcClient.top(), rcClient.left() + rcClient.width(),
                                      rcClient.top() + rcClient.height()));
}

void tst_ProgressDlg::beginShowsCaptionBarAndCancel() {
    m_pDlg->Begin(QStringLiteral("Converting text to non_styled format"), 200000);
    QVERIFY(m_pDlg->IsOpen());
    QCOMPARE(m_pDlg->m_pCaption->text(), QStringLiteral("Converting text to non_styled format"));
    QCOMPARE(m_pDlg->m_pPercent->text(), QStringLiteral("0%"));
    QCOMPARE(m_pDlg->m_pBar->minimum(), 0);
    QCOMPARE(m_pDlg->m_pBar->maximum(), 200000);  // more than 65,535 characters, no scaling
    QCOMPARE(m_pDlg->m_pBar->value(), 0);
    QVERIFY(m_pDlg->m_pCancel->isVisible());
    QVERIFY(m_pDlg->m_pCancel->isDefault());
    QVERIFY(!m_pDlg->m_pPicture->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m_pDlg->m_pCancel));
}

void tst_ProgressDlg::step_data() {
    QTest::addColumn<int>("total");
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<QList<int>>("percents");
    QTest::addColumn<int>("expectedValue");
    QTest::addColumn<QString>("expectedLabel");
    QTest::newRow("one of three") << 3 << QList<int>{1} << QList<int>{33} << 1 << "33%";
    QTest::newRow("pieces add up") << 1000 << QList<int>{256, 256, 100} << QList<int>{25, 51, 61} << 612 << "61%";
    QTest::newRow("large document moves smoothly")
        << 3000000 << QList<int>{70000, 70000} << QList<int>{2, 4} << 140000 << "4%";
    QTest::newRow("empty piece changes nothing") << 10 << QList<int>{4, 0} << QList<int>{40, 99} << 4 << "40%";
    // Counts beyond the total stop the bar at its end rather than starting it over.
    QTest::newRow("overshoot stops at the end") << 10 << QList<int>{8, 8} << QList<int>{80, 160} << 10 << "160%";
}

void tst_ProgressDlg::step() {
    QFETCH(int, total);
    QFETCH(QList<int>, counts);
    QFETCH(QList<int>, percents);
    QFETCH(int, expectedValue);
    QFETCH(QString, expectedLabel);
    m_pDlg->Begin(QStringLiteral("Converting text to HTML format"), total);
    for (int i = 0; i < counts.size(); ++i) m_pDlg->Step(counts[i], percents[i]);
    QCOMPARE(m_pDlg->m_pBar->value(), expectedValue);
    QCOMPARE(m_pDlg->m_pPercent->text(), expectedLabel);
}

void tst_ProgressDlg::stepWithClosedWindowDoesNothing() {
    m_pDlg->Step(5, 50);
    QVERIFY(!m_pDlg->IsOpen());
    QCOMPARE(m_pDlg->m_pPercent->text(), QStringLiteral("0%"));
}

void tst_ProgressDlg::stepIsOnScreenAtOnce() {
    m_pDlg->Begin(QStringLiteral("Converting text to HTML format"), 100);
    // New percentages are painted at most every few tens of milliseconds; wait that long,
    // without running an event loop.
    QTest::qSleep(60);
    m_pDlg->Step(50, 50);
    // No event loop has run since Step: the screen must already show the half-full bar.
    const QImage onScreen = test::GrabScreenUnder(*m_pDlg).convertToFormat(QImage::Format_RGB32);
    const QImage rendered = m_pDlg->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(onScreen.size(), rendered.size());
    QVERIFY(onScreen == rendered);
}

void tst_ProgressDlg::finishShowsFullThenReadyAlone() {
    struct WaitSeen {
        int nMs;
        QString strLabel;
        QString strStatus;
        bool bReadyShown;
        bool bBarShown;
        int nGreenOnScreen;
    };
    std::vector<WaitSeen> waits;
    SetBlockingWait([&](int nMs) {
        waits.push_back({nMs, m_pDlg->m_pPercent->text(), m_status.empty() ? QString() : m_status.back(),
                         m_pDlg->m_pPicture->isVisible(), m_pDlg->m_pBar->isVisible(),
                         test::CountPixels(test::GrabScreenUnder(*m_pDlg), QColor(0, 255, 0))});
    });
    m_pDlg->Begin(QStringLiteral("Converting text to HTML format"), 10);
    m_pDlg->Step(10, 100);
    m_pDlg->Finish(QStringLiteral("Converting text to HTML format  "));

    QCOMPARE(waits.size(), size_t(2));
    QCOMPARE(waits[0].nMs, 500);
    QCOMPARE(waits[0].strLabel, QStringLiteral("100%"));
    QCOMPARE(waits[0].strStatus, QStringLiteral("Converting text to HTML format  100%"));
    QVERIFY(waits[0].bBarShown);
    QVERIFY(!waits[0].bReadyShown);
    QCOMPARE(waits[1].nMs, 500);
    QCOMPARE(waits[1].strStatus, QStringLiteral("Ready"));
    QVERIFY(waits[1].bReadyShown);
    QVERIFY(!waits[1].bBarShown);
    QVERIFY2(waits[1].nGreenOnScreen > 50, "READY! is not on the screen during its wait");
    QVERIFY(!m_pDlg->m_pCancel->isVisible());
    QVERIFY(!m_pDlg->m_pCaption->isVisible());
    QVERIFY(!m_pDlg->m_pPercent->isVisible());
    QVERIFY(!m_pDlg->IsOpen());
    // The keyboard goes back to the editor.
    QTRY_COMPARE(QApplication::activeWindow(), m_pView.get());
}

void tst_ProgressDlg::cancelClosesWindowAndBeginReusesIt() {
    // A failed conversion leaves the window open; the user closes it with Cancel converting.
    m_pDlg->Begin(QStringLiteral("Converting text to HTML format"), 10);
    m_pDlg->Step(3, 30);
    QTest::mouseClick(m_pDlg->m_pCancel, Qt::LeftButton);
    QVERIFY(!m_pDlg->IsOpen());
    QTRY_COMPARE(QApplication::activeWindow(), m_pView.get());

    m_pDlg->Begin(QStringLiteral("Converting text to HTML format"), 10);
    QTest::keyClick(m_pDlg.get(), Qt::Key_Escape);
    QVERIFY(!m_pDlg->IsOpen());

    // A conversion started over a window left open gets a fresh bar in the same window.
    m_pDlg->Begin(QStringLiteral("Converting text to HTML format"), 10);
    m_pDlg->Step(7, 70);
    m_pDlg->Begin(QStringLiteral("Converting text to non_styled format"), 20);
    int nOpen = 0;
    for (QWidget* pTop : QApplication::topLevelWidgets())
        nOpen += qobject_cast<CProgressDlg*>(pTop) && pTop->isVisible() ? 1 : 0;
    QCOMPARE(nOpen, 1);
    QCOMPARE(m_pDlg->m_pBar->value(), 0);
    QCOMPARE(m_pDlg->m_pPercent->text(), QStringLiteral("0%"));
}

void tst_ProgressDlg::adapterForwardsStepsAndChangedStatusTexts() {
    std::vector<QString> texts;
    CProgressAdapter adapter(*m_pDlg, [&](const QString& str) { texts.push_back(str); });
    m_pDlg->Begin(QStringLiteral("Converting text to HTML format"), 4);
    IProgress& progress = adapter;
    progress.Step(1, 25);
    progress.SetStatusText(U"Converting text to HTML format  25%");
    progress.SetStatusText(U"Converting text to HTML format  25%");
    progress.Step(1, 50);
    progress.SetStatusText(U"Converting text to HTML format  50%");
    QCOMPARE(m_pDlg->m_pBar->value(), 2);
    QCOMPARE(m_pDlg->m_pPercent->text(), QStringLiteral("50%"));
    QCOMPARE(texts, (std::vector<QString>{QStringLiteral("Converting text to HTML format  25%"),
                                          QStringLiteral("Converting text to HTML format  50%")}));
    // Characters beyond the basic plane cross intact.
    progress.SetStatusText(U"\U0001F600 \u05D0");
    QCOMPARE(texts.back(), QString::fromUtf16(u"\U0001F600 \u05D0"));

    // Without a main window there is no status bar to write to; the window still steps.
    const size_t nStatusBefore = m_status.size();
    CProgressAdapter silent(*m_pDlg, nullptr);
    static_cast<IProgress&>(silent).SetStatusText(U"Converting text to HTML format  75%");
    static_cast<IProgress&>(silent).Step(1, 75);
    QCOMPARE(m_status.size(), nStatusBefore);
    QCOMPARE(m_pDlg->m_pPercent->text(), QStringLiteral("75%"));
}

void tst_ProgressDlg::statusGoesToMainWindowWithoutSink() {
    QMainWindow main;
    auto* pView = new QTextEdit(&main);
    main.setCentralWidget(pView);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    CProgressDlg dlg(pView);
    SetBlockingWait([](int) {});
    dlg.Begin(QStringLiteral("Converting text to HTML format"), 2);
    dlg.Step(2, 100);
    dlg.Finish(QStringLiteral("Converting text to HTML format  "));
    QCOMPARE(main.statusBar()->currentMessage(), QStringLiteral("Ready"));
    dlg.ShowStatusText(QStringLiteral("Converting text to HTML format  50%"));
    QCOMPARE(main.statusBar()->currentMessage(), QStringLiteral("Converting text to HTML format  50%"));
}

QTEST_MAIN(tst_ProgressDlg)
#include "tst_progressdlg.moc"
