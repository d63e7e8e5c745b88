// The start-up steps around the host, in a Qt application on a private X server: the messages
// and results of each kind of working directory, the host really started and maximised, and the
// splash on the screen when the wait begins.

#include "XTestSupport.h"

#include "app/HostInfo.h"
#include "app/HostStartup.h"
#include "app/SplashDlg.h"
#include "dialogs/BlockingWait.h"
#include "dialogs/MessageBox.h"
#include "dialogs/Pictures.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <xcb/xcb.h>

#include <sys/stat.h>

#include <unistd.h>
#include <csignal>
#include <cstdlib>
#include <memory>

using namespace velmora;

namespace {

constexpr const char* kHostClass = "AfxFrameOrView42";

// An executable program file that starts the stand-in host, noting its pid and window id.
void WriteHostProgram(const QString& strPath) {
    QFile file(strPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("#!/bin/sh\necho $$ > host.pid\nexec '%1' > host.window\n")
                   .arg(QStringLiteral(FAKE_HOST_PATH))
                   .toUtf8());
    file.close();
    QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
}

QString ReadTrimmed(const QString& strPath) {
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

QStringList Texts(const CMessageBoxCapture& capture) {
    QStringList texts;
    for (const CapturedMessageBox& box : capture.Boxes()) {
        texts << box.strText;
        if (box.icon != QMessageBox::Warning) {
            texts << QStringLiteral("(not the warning icon)");
        }
    }
    return texts;
}

QSize WindowSize(uint32_t wnd) {
    xcb_connection_t* pConn = xcb_connect(nullptr, nullptr);
    xcb_get_geometry_reply_t* pReply = xcb_get_geometry_reply(pConn, xcb_get_geometry(pConn, wnd), nullptr);
    const QSize size = pReply != nullptr ? QSize(pReply->width, pReply->height) : QSize();
    std::free(pReply);
    xcb_disconnect(pConn);
    return size;
}

}  // namespace

class tst_HostStartup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void hostDirectories_data();
    void hostDirectories();
    void startedHostIsFoundAndMaximised();
    void unreadableDirectoryEndsTheProgram();
    void splashIsOnScreenWhenTheWaitBegins();

private:
    // Makes strName inside the temporary directory the current directory, as a shell would.
    QString EnterDir(const QString& strName);

    std::unique_ptr<QTemporaryDir> m_pTemp;
    QString m_strStartDir;
    std::unique_ptr<QWidget> m_pMainWindow;
    QString m_strHostDir;
};

void tst_HostStartup::init() {
    g_hostInfo = CHostInfo();
    m_strStartDir = QDir::currentPath();
    m_pTemp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_pTemp->isValid());
    m_pMainWindow = std::make_unique<QWidget>();
    m_pMainWindow->show();
    m_strHostDir.clear();
}

void tst_HostStartup::cleanup() {
    if (!m_strHostDir.isEmpty()) {
        const pid_t nPid = ReadTrimmed(m_strHostDir + QStringLiteral("/host.pid")).toInt();
        if (nPid > 0) {
            kill(nPid, SIGTERM);
            QTRY_VERIFY(!g_hostInfo.FindAppWindow(kHostClass));
        }
    }
    QDir::setCurrent(m_strStartDir);
    m_pMainWindow.reset();
    m_pTemp.reset();
}

QString tst_HostStartup::EnterDir(const QString& strName) {
    const QString strDir = m_pTemp->path() + QLatin1Char('/') + strName;
    QDir().mkpath(strDir);
    QDir::setCurrent(strDir);
    qputenv("PWD", strDir.toUtf8());
    return strDir;
}

void tst_HostStartup::hostDirectories_data() {
    QTest::addColumn<QString>("dirName");
    QTest::addColumn<QString>("programFile");  // created empty, with this mode (octal)
    QTest::addColumn<int>("programMode");
    QTest::addColumn<int>("hostKind");
    QTest::addColumn<QStringList>("messages");

    const QStringList problem{QStringLiteral("Problem to run Macromedia file.")};
    QTest::newRow("no host name") << "Projects"
                                  << "" << 0 << -1
                                  << QStringList{QStringLiteral("Can not find Macromedia program to run")};
    QTest::newRow("host name only higher up")
        << "Flash/Tools"
        << "" << 0 << -1 << QStringList{QStringLiteral("Can not find Macromedia program to run")};
    QTest::newRow("Flash 5 without flash.exe") << "Flash 5"
                                               << "" << 0 << 2 << problem;
    QTest::newRow("program not executable") << "Director 8"
                                            << "director.exe" << 0644 << 0 << problem;
    // Neither a program nor a script: the system refuses to run it.
    QTest::newRow("program of no known format") << "Director 8"
                                                << "director.exe" << 0755 << 0 << problem;
    // "ultradev" wins over "dreamweaver", so only ultradev.exe would do.
    QTest::newRow("UltraDev with only dreamweaver.exe") << "Dreamweaver UltraDev 4"
                                                        << "dreamweaver.exe" << 0755 << 1 << problem;
    QTest::newRow("program in lower case beside a capitalised directory") << "FLASH 5"
                                                                          << "FLASH.EXE" << 0755 << 2 << problem;
}

void tst_HostStartup::hostDirectories() {
    QFETCH(QString, dirName);
    QFETCH(QString, programFile);
    QFETCH(int, programMode);
    QFETCH(int, hostKind);
    QFETCH(QStringList, messages);

    const QString strDir = EnterDir(dirName);
    if (!programFile.isEmpty()) {
        QFile program(strDir + QLatin1Char('/') + programFile);
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write("\x01\x02 not a program\n");
        program.close();
        QVERIFY(::chmod(QFile::encodeName(program.fileName()).constData(), static_cast<mode_t>(programMode)) == 0);
    }
    CMessageBoxCapture capture;
    QVERIFY(RunHostStartup(m_pMainWindow.get()));
    QCOMPARE(Texts(capture), messages);
    QCOMPARE(g_hostInfo.m_nHostKind, hostKind);
    QCOMPARE(QString::fromStdString(g_hostInfo.m_szWorkDir), strDir);
}

void tst_HostStartup::startedHostIsFoundAndMaximised() {
    m_strHostDir = EnterDir(QStringLiteral("Dreamweaver 4"));
    WriteHostProgram(m_strHostDir + QStringLiteral("/dreamweaver.exe"));
    QVERIFY(!g_hostInfo.FindAppWindow(kHostClass));

    CMessageBoxCapture capture;
    QVERIFY(RunHostStartup(m_pMainWindow.get()));
    QCOMPARE(Texts(capture), QStringList());
    QCOMPARE(g_hostInfo.m_nHostKind, 1);
    QTRY_VERIFY(g_hostInfo.FindAppWindow(kHostClass));
    // Started in the working directory, where it left its notes.
    QTRY_VERIFY(!ReadTrimmed(m_strHostDir + QStringLiteral("/host.window")).isEmpty());
    const uint32_t wnd = ReadTrimmed(m_strHostDir + QStringLiteral("/host.window")).toUInt(nullptr, 16);
    // No window manager runs here, so maximised means given the whole screen.
    QTRY_COMPARE(WindowSize(wnd), QGuiApplication::primaryScreen()->size());
}

void tst_HostStartup::unreadableDirectoryEndsTheProgram() {
    const QString strDir = EnterDir(QStringLiteral("Flash 5"));
    QVERIFY(QDir().rmdir(strDir));
    CMessageBoxCapture capture;
    QVERIFY(!RunHostStartup(m_pMainWindow.get()));
    QCOMPARE(Texts(capture),
             (QStringList{QStringLiteral("No working directory"), QStringLiteral("Program is out of the low.")}));
    QCOMPARE(g_hostInfo.m_nHostKind, -1);
}

void tst_HostStartup::splashIsOnScreenWhenTheWaitBegins() {
    m_pMainWindow->hide();
    int nWaitMs = -1;
    QImage screen;
    QRect splashRect;
    QPoint origin;  // of the picture on the screen
    bool bTopmost = false;
    const auto fnOldWait = SetBlockingWait([&](int nMs) {
        nWaitMs = nMs;
        // No event is handled here: what is on the screen now was painted before the wait.
        screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        for (QWidget* pTop : QApplication::topLevelWidgets()) {
            if (auto* pSplash = qobject_cast<CSplashDlg*>(pTop); pSplash && pSplash->isVisible()) {
                splashRect = pSplash->frameGeometry();
                bTopmost = pSplash->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                const QLabel* pPicture = pSplash->findChild<QLabel*>();
                origin = pPicture->mapToGlobal(pPicture->contentsRect().topLeft());
            }
        }
    });
    ShowSplash();
    SetBlockingWait(fnOldWait);

    QCOMPARE(nWaitMs, 5000);
    QVERIFY(bTopmost);
    const QRect screenRect = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(qAbs(splashRect.center().x() - screenRect.center().x()) <= 1);
    QVERIFY(qAbs(splashRect.center().y() - screenRect.center().y()) <= 1);
    QVERIFY(splashRect.width() >= 450 && splashRect.height() >= 320);
    // The picture itself is on the screen: compare its pixels in a grid over its inside.
    const QImage picture = DrawSplashPicture().toImage();
    QCOMPARE(picture.size(), QSize(450, 320));
    int nSame = 0;
    int nTotal = 0;
    for (int y = 10; y < 320; y += 20) {
        for (int x = 10; x < 450; x += 20) {
            ++nTotal;
            nSame += screen.pixelColor(origin + QPoint(x, y)).rgb() == picture.pixelColor(x, y).rgb();
        }
    }
    QVERIFY2(nSame * 10 >= nTotal * 9, qPrintable(QStringLiteral("%1 of %2 pixels").arg(nSame).arg(nTotal)));
    // Afterwards the splash is gone.
    for (QWidget* pTop : QApplication::topLevelWidgets()) {
        QVERIFY(qobject_cast<CSplashDlg*>(pTop) == nullptr);
    }
}

int main(int argc, char** argv) {
    // A server of its own: the stand-in host's window must not meet other tests' windows.
    return test::RunOnPrivateXServer([&] {
        QApplication app(argc, argv);
        tst_HostStartup test;
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_hoststartup.moc"
