// The keyboard on a private X server configured with setxkbmap: the Hebrew group only while the
// application's window has the focus, the user's group back when another program's window takes
// it and when the application ends, and Alt+Shift+letter seen by the keys' positions, also with
// the layout-switch option grp:alt_shift_toggle. Groups are read back from the X server. Keys go
// in through XTEST by keycode, as a keyboard sends them: xdotool's keys would not do, since it
// locks a group of its own around every key it sends.

#include "XTestSupport.h"

#include "app/KeyboardLayout.h"
#include "app/host/XkbGroups.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdlib>
#include <memory>

using namespace velmora;

namespace {

// A window that notes every key press that reaches it.
class CKeyWindow : public QWidget {
public:
    QString m_strKeys;

protected:
    void keyPressEvent(QKeyEvent* pEvent) override {
        if (!pEvent->text().isEmpty() && pEvent->text().at(0).isPrint()) m_strKeys += pEvent->text();
    }
};

void Run(const QString& strCommand) { QCOMPARE(std::system(qPrintable(strCommand)), 0); }

// Sends keys by position: "+Alt_L" holds a key down, "-Alt_L" lets it go, "c" taps it. Key names
// are X keysym names; each stands for the key that carries it in some group.
void SendKeys(const QString& strKeys) {
    Display* pDisplay = XOpenDisplay(nullptr);
    QVERIFY(pDisplay);
    for (const QString& strKey : strKeys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const bool bDown = !strKey.startsWith(QLatin1Char('-'));
        const bool bUp = !strKey.startsWith(QLatin1Char('+'));
        const QString strName = bDown && bUp ? strKey : strKey.mid(1);
        const KeyCode nKeycode = XKeysymToKeycode(pDisplay, XStringToKeysym(qPrintable(strName)));
        QVERIFY2(nKeycode != 0, qPrintable(strName));
        if (bDown) XTestFakeKeyEvent(pDisplay, nKeycode, True, CurrentTime);
        if (bUp) XTestFakeKeyEvent(pDisplay, nKeycode, False, CurrentTime);
    }
    XSync(pDisplay, False);
    XCloseDisplay(pDisplay);
}

}  // namespace

class tst_KeyboardLayout : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void hebrewOnlyWhileFocused();
    void noHebrewGroupLeavesTheKeyboardAlone();
    void altShiftLettersByPosition_data();
    void altShiftLettersByPosition();

private:
    void StartLayout();
    void FocusOurWindow();
    void FocusOtherProgram();

    std::unique_ptr<CKeyWindow> m_pWindow;
    std::unique_ptr<CKeyboardLayout> m_pLayout;
    test::CChildProcess m_other;
    std::string m_strOtherWindow;
    QString m_strLetters;
    bool m_bTakeLetters = true;
};

void tst_KeyboardLayout::init() {
    m_strLetters.clear();
    m_bTakeLetters = true;
    m_pWindow = std::make_unique<CKeyWindow>();
    m_pWindow->resize(300, 200);
    m_pWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWindow.get()));
    // Another program's window, to give the focus to.
    QVERIFY(m_other.StartAndReadLine({FAKE_HOST_PATH}, m_strOtherWindow));
}

void tst_KeyboardLayout::cleanup() {
    m_pLayout.reset();
    m_pWindow.reset();
    m_other.Kill();
    Run(QStringLiteral("setxkbmap -layout us -option"));
}

void tst_KeyboardLayout::StartLayout() {
    m_pLayout = std::make_unique<CKeyboardLayout>([this](char chLetter) {
        m_strLetters += QLatin1Char(chLetter);
        return m_bTakeLetters;
    });
}

void tst_KeyboardLayout::FocusOurWindow() {
    Run(QStringLiteral("xdotool windowfocus --sync %1").arg(m_pWindow->winId()));
    QTRY_COMPARE(QGuiApplication::applicationState(), Qt::ApplicationActive);
}

void tst_KeyboardLayout::FocusOtherProgram() {
    Run(QStringLiteral("xdotool windowfocus --sync %1").arg(QString::fromStdString(m_strOtherWindow)));
    QTRY_COMPARE(QGuiApplication::applicationState(), Qt::ApplicationInactive);
}

void tst_KeyboardLayout::hebrewOnlyWhileFocused() {
    Run(QStringLiteral("setxkbmap -layout us,il,de"));
    QCOMPARE(ReadXkbLockedGroup(), 0);
    FocusOurWindow();
    StartLayout();
    QTRY_COMPARE(ReadXkbLockedGroup(), 1);

    FocusOtherProgram();
    QTRY_COMPARE(ReadXkbLockedGroup(), 0);
    // The user picks German in the other program; coming back is Hebrew again, leaving German.
    QVERIFY(LockXkbGroup(2));
    FocusOurWindow();
    QTRY_COMPARE(ReadXkbLockedGroup(), 1);
    FocusOtherProgram();
    QTRY_COMPARE(ReadXkbLockedGroup(), 2);

    // Inside, the user picks English: it stays English inside, German outside.
    FocusOurWindow();
    QTRY_COMPARE(ReadXkbLockedGroup(), 1);
    QVERIFY(LockXkbGroup(0));
    FocusOtherProgram();
    QTRY_COMPARE(ReadXkbLockedGroup(), 2);
    FocusOurWindow();
    QTRY_COMPARE(ReadXkbLockedGroup(), 0);

    // Ending while focused gives the outside group back.
    m_pLayout.reset();
    QCOMPARE(ReadXkbLockedGroup(), 2);
}

void tst_KeyboardLayout::noHebrewGroupLeavesTheKeyboardAlone() {
    Run(QStringLiteral("setxkbmap -layout us,de"));
    QVERIFY(LockXkbGroup(1));
    FocusOurWindow();
    StartLayout();
    FocusOtherProgram();
    QVERIFY(LockXkbGroup(0));
    FocusOurWindow();
    m_pLayout.reset();
    QCOMPARE(ReadXkbLockedGroup(), 0);
}

void tst_KeyboardLayout::altShiftLettersByPosition_data() {
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("keys");  // one chord
    QTest::addColumn<bool>("taken");    // whether the letter's command runs
    QTest::addColumn<QString>("letters");
    QTest::addColumn<int>("group");      // the group after the chord
    QTest::addColumn<QString>("typed");  // what reached the window, the closing d key included
    const QString toggle = QStringLiteral("-option grp:alt_shift_toggle");
    const QString gimel = QStringLiteral("\u05D2");  // the d key in the Hebrew group
    QTest::newRow("plain, Alt first") << QString() << QStringLiteral("+Alt_L +Shift_L c -Shift_L -Alt_L") << true
                                      << QStringLiteral("c") << 1 << gimel;
    QTest::newRow("toggle, Alt first") << toggle << QStringLiteral("+Alt_L +Shift_L c -Shift_L -Alt_L") << true
                                       << QStringLiteral("c") << 1 << gimel;
    QTest::newRow("toggle, Shift first") << toggle << QStringLiteral("+Shift_L +Alt_L t -Alt_L -Shift_L") << true
                                         << QStringLiteral("t") << 1 << gimel;
    QTest::newRow("toggle, right keys, two letters") << toggle << QStringLiteral("+Alt_R +Shift_R p n -Shift_R -Alt_R")
                                                     << true << QStringLiteral("pn") << 1 << gimel;
    QTest::newRow("toggle, Alt let go first")
        << toggle << QStringLiteral("+Alt_L +Shift_L d -Alt_L -Shift_L") << true << QStringLiteral("d") << 1 << gimel;
    // A letter whose command cannot run now goes on as a key, and the switch stays.
    QTest::newRow("not taken") << toggle << QStringLiteral("+Shift_L +Alt_L x -Alt_L -Shift_L") << false
                               << QStringLiteral("x") << 0 << QStringLiteral("Xd");
    QTest::newRow("Alt+Shift alone switches the layout")
        << toggle << QStringLiteral("+Alt_L +Shift_L -Shift_L -Alt_L") << true << QString() << 0 << QStringLiteral("d");
    QTest::newRow("Ctrl+Alt+Shift is not the chord")
        << QString() << QStringLiteral("+Control_L +Alt_L +Shift_L c -Shift_L -Alt_L -Control_L") << true << QString()
        << 1 << gimel;
}

void tst_KeyboardLayout::altShiftLettersByPosition() {
    QFETCH(QString, options);
    QFETCH(QString, keys);
    QFETCH(bool, taken);
    QFETCH(QString, letters);
    QFETCH(int, group);
    QFETCH(QString, typed);
    Run(QStringLiteral("setxkbmap -layout us,il %1").arg(options));
    QVERIFY(LockXkbGroup(0));
    FocusOurWindow();
    StartLayout();
    QTRY_COMPARE(ReadXkbLockedGroup(), 1);
    m_bTakeLetters = taken;
    SendKeys(keys);
    QTRY_COMPARE(m_strLetters, letters);
    QTRY_COMPARE(ReadXkbLockedGroup(), group);
    SendKeys(QStringLiteral("d"));
    QTRY_COMPARE(m_pWindow->m_strKeys.size(), typed.size());
    QCOMPARE(m_pWindow->m_strKeys, typed);
}

int main(int argc, char** argv) {
    return test::RunOnPrivateXServer([&] {
        QApplication app(argc, argv);
        tst_KeyboardLayout test;
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_keyboardlayout.moc"
