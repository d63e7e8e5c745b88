// The application's start: the window with a new or an opened document, a document that will not
// open, and the application's own commands.

#include "AutoClose.h"
#include "QtFiles.h"
#include "app/PlatformCheck.h"
#include "app/Tesslar2App.h"
#include "dialogs/BlockingWait.h"
#include "dialogs/MessageBox.h"
#include "doc/Tesslar2Doc.h"
#include "frame/CommandIds.h"
#include "frame/MainFrame.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using namespace velmora;
using velmora::test::WriteTestFile;

class tst_AppStart : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void startsWithANewDocument();
    void opensTheFileNamedOnTheCommandLine();
    void saysOverItsWindowThatTheFileWasCutShort();
    void endsWhenTheFileWillNotOpen_data();
    void endsWhenTheFileWillNotOpen();
    void applicationCommands_data();
    void applicationCommands();

private:
    CTesslar2App* App() const { return static_cast<CTesslar2App*>(qApp); }
    QTemporaryDir m_dir;
};

void tst_AppStart::initTestCase() {
    QVERIFY(m_dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath(QStringLiteral("settings")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));  // copies of unsaved changes
    SetBlockingWait([](int) {});     // the splash's five seconds
    QDir::setCurrent(m_dir.path());  // a folder of no authoring tool
}

void tst_AppStart::startsWithANewDocument() {
    CMessageBoxCapture capture;
    QVERIFY(App()->InitInstance({QStringLiteral("velmora")}));
    CMainFrame* pFrame = App()->GetMainFrame();
    QVERIFY(pFrame->isVisible());
    QCOMPARE(pFrame->windowTitle(), QStringLiteral("Document - Velmora"));
    QVERIFY(pFrame->GetDocument()->GetTextDocument()->isEmpty());
    // The only message is the missing host's.
    QCOMPARE(capture.Boxes().size(), size_t{1});
    QCOMPARE(capture.Boxes()[0].strText, QStringLiteral("Can not find Macromedia program to run"));
}

void tst_AppStart::opensTheFileNamedOnTheCommandLine() {
    const QString strPath = m_dir.filePath(QStringLiteral("שיר.rtf"));
    {
        CTesslar2Doc writer;
        QTextCursor(writer.GetTextDocument()).insertText(QStringLiteral("שיר השירים"));
        QString strError;
        QVERIFY2(writer.OnSaveDocument(strPath, strError), qPrintable(strError));
    }
    CMessageBoxCapture capture;
    QVERIFY(App()->InitInstance({QStringLiteral("velmora"), strPath}));
    CMainFrame* pFrame = App()->GetMainFrame();
    QCOMPARE(pFrame->windowTitle(), QStringLiteral("שיר.rtf - Velmora"));
    QCOMPARE(pFrame->GetDocument()->GetTextDocument()->toPlainText(), QStringLiteral("שיר השירים"));
    QVERIFY(!pFrame->GetDocument()->IsModified());
}

void tst_AppStart::saysOverItsWindowThatTheFileWasCutShort() {
    const QString strPath = WriteTestFile(m_dir.filePath(QStringLiteral("cut.rtf")), "{\\rtf1\\ansi {\\b bold");
    CMessageBoxCapture capture;
    QVERIFY(App()->InitInstance({QStringLiteral("velmora"), strPath}));
    QCOMPARE(App()->GetMainFrame()->GetDocument()->GetTextDocument()->toPlainText(), QStringLiteral("bold"));
    QCOMPARE(capture.Boxes().size(), size_t{2});  // and the missing host's
    QVERIFY2(capture.Boxes()[0].strText.contains(QStringLiteral("may have been cut short")),
             qPrintable(capture.Boxes()[0].strText));
    QVERIFY(capture.Boxes()[0].bOverVisibleParent);
}

void tst_AppStart::endsWhenTheFileWillNotOpen_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");  // null: no such file
    QTest::newRow("missing") << QStringLiteral("missing.rtf") << QByteArray();
    QTest::newRow("not rtf") << QStringLiteral("text.rtf") << QByteArray("just text\n");
    QTest::newRow("empty") << QStringLiteral("empty.rtf") << QByteArray("");
}

void tst_AppStart::endsWhenTheFileWillNotOpen() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QString strPath = m_dir.filePath(name);
    if (!content.isNull()) WriteTestFile(strPath, content);
    CMessageBoxCapture capture;
    QVERIFY(!App()->InitInstance({QStringLiteral("velmora"), strPath}));
    QCOMPARE(capture.Boxes().size(), size_t{1});
    QVERIFY2(capture.Boxes()[0].strText.startsWith(QStringLiteral("Failed to open document.\n\n")),
             qPrintable(capture.Boxes()[0].strText));
    QVERIFY(capture.Boxes()[0].strText.size() > 30);  // and the reason
    QVERIFY(!App()->GetMainFrame()->isVisible());
}

void tst_AppStart::applicationCommands_data() {
    QTest::addColumn<int>("id");
    QTest::newRow("About") << ID_APP_ABOUT;
    QTest::newRow("Hebrew help") << ID_HEBREW_HELP;
}

void tst_AppStart::applicationCommands() {
    QFETCH(int, id);
    CMessageBoxCapture capture;
    QVERIFY(App()->InitInstance({QStringLiteral("velmora")}));
    test::CAutoClose closer;
    QCOMPARE(int(g_nPlatformKind), 2);  // start-up checked the system it runs on
    App()->GetMainFrame()->OnCommand(id);
    QVERIFY2(!closer.Closed().isEmpty(), "the command opened no window");
}

int main(int argc, char** argv) {
    CTesslar2App app(argc, argv);
    tst_AppStart test;
    return QTest::qExec(&test, argc, argv);
}

#include "AppStartTest.moc"
