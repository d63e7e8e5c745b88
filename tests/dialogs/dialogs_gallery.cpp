// Draws every window and picture of the dialogs into PNG files, for a person to look at:
//   xvfb-run -a -s "-screen 0 1280x1024x24" dialogs_gallery <directory> [working directory]
// The windows are read back from the screen, so what is saved is what a user would see.

#include "dialogs/AboutDlg.h"
#include "dialogs/BlockingWait.h"
#include "dialogs/HebrewHelpDlg.h"
#include "dialogs/MessageBox.h"
#include "dialogs/NoticeDlg.h"
#include "dialogs/Pictures.h"
#include "dialogs/ProgressDlg.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QTextEdit>
#include <QThread>

#include <cstdio>

using namespace velmora;

namespace {

QString g_strOut;

QPixmap GrabScreen(const QRect& rc) {
    return QGuiApplication::primaryScreen()->grabWindow(0, rc.x(), rc.y(), rc.width(), rc.height());
}

void Save(const QPixmap& pixmap, const QString& strName) {
    const QString strPath = QDir(g_strOut).filePath(strName);
    if (!pixmap.save(strPath)) std::fprintf(stderr, "cannot write %s\n", qPrintable(strPath));
}

void Settle(QWidget& window) {
    window.show();
    PaintNow(window);
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

// All toolbar pictures in a row, at one size, with a little room around each.
QPixmap ToolbarStrip(int nSize) {
    const QList<int> ids = {57600, 57601, 57603, 57635, 57634, 57637, 57607, 57664,
                            32776, 32771, 32781, 32803, 32778, 32779, 133};
    const int nCell = nSize + nSize / 2;
    QPixmap strip(nCell * static_cast<int>(ids.size()), nCell);
    strip.fill(QColor(240, 240, 240));
    QPainter p(&strip);
    for (int i = 0; i < ids.size(); ++i)
        p.drawPixmap(i * nCell + nSize / 4, nSize / 4, DrawToolbarPicture(ids[i], nSize));
    return strip;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: dialogs_gallery <directory> [working directory]\n");
        return 2;
    }
    g_strOut = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_strOut);
    const QString strWorkDir = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::currentPath();

    Save(ToolbarStrip(16), QStringLiteral("toolbar-16.png"));
    Save(ToolbarStrip(32), QStringLiteral("toolbar-32.png"));
    Save(ApplicationIcon().pixmap(32, 32), QStringLiteral("icon-128-32.png"));
    Save(ApplicationIcon().pixmap(16, 16), QStringLiteral("icon-128-16.png"));
    Save(DocumentIcon().pixmap(32, 32), QStringLiteral("icon-document-32.png"));
    Save(DrawSplashPicture(), QStringLiteral("splash.png"));

    // A stand-in for the editor: a main window whose view the small windows go over.
    QMainWindow main;
    main.setGeometry(40, 40, 760, 480);
    auto* pView = new QTextEdit(&main);
    pView->setPlainText(QStringLiteral("..."));
    main.setCentralWidget(pView);
    main.statusBar()->showMessage(QStringLiteral("Ready"));
    Settle(main);

    CProgressDlg progress(pView);
    SetBlockingWait([&](int nMs) {
        static int s_nWait = 0;
        Save(GrabScreen(main.frameGeometry()),
             s_nWait++ == 0 ? QStringLiteral("progress-100.png") : QStringLiteral("progress-ready.png"));
        QThread::msleep(static_cast<unsigned long>(nMs / 10));
    });
    progress.Begin(QStringLiteral("Converting text to HTML format"), 1000);
    progress.Step(370, 37);
    main.statusBar()->showMessage(QStringLiteral("Converting text to HTML format  37%"));
    main.statusBar()->repaint();
    PaintNow(progress);
    Save(GrabScreen(main.frameGeometry()), QStringLiteral("progress-37.png"));
    progress.Step(630, 100);
    progress.Finish(QStringLiteral("Converting text to HTML format  "));

    struct Notice {
        int nId;
        const char* pszFile;
    };
    for (const Notice& notice :
         {Notice{155, "notice-155.png"}, Notice{156, "notice-156.png"}, Notice{157, "notice-157.png"},
          Notice{158, "notice-158.png"}, Notice{159, "notice-159.png"}}) {
        SetBlockingWait([&](int) { Save(GrabScreen(main.frameGeometry()), QString::fromLatin1(notice.pszFile)); });
        ShowNotice(pView, notice.nId);
    }
    SetBlockingWait([&](int) { Save(GrabScreen(main.frameGeometry()), QStringLiteral("notice-text.png")); });
    ShowTextNotice(pView, kNothingToPasteText, kPasteFromInternetTitle);
    SetBlockingWait({});
    main.hide();

    CAboutDlg about;
    about.move(60, 60);
    Settle(about);
    Save(GrabScreen(about.frameGeometry()), QStringLiteral("about.png"));
    about.hide();

    {
        CMessageBoxCapture capture;
        CHebrewHelpDlg help(strWorkDir);
        for (const CapturedMessageBox& box : capture.Boxes())
            std::fprintf(stderr, "help: %s\n", qPrintable(box.strText));
        help.move(60, 60);
        Settle(help);
        Save(GrabScreen(help.frameGeometry()), QStringLiteral("help.png"));
        help.OnTopic(kTopicCopyToHtml);
        Settle(help);
        Save(GrabScreen(help.frameGeometry()), QStringLiteral("help-copy-to-dreamweaver.png"));
        help.OnTopic(kTopicEraseScreen);
        Settle(help);
        Save(GrabScreen(help.frameGeometry()), QStringLiteral("help-erase.png"));
    }
    return 0;
}
