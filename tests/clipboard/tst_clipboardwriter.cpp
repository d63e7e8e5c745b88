// The clipboard writer on a real X11 clipboard (under Xvfb), and with no clipboard at all (the
// offscreen platform), where every command must say so instead of pretending it worked.

#include "clipboard/ClipboardWriter.h"
#include "dialogs/BlockingWait.h"
#include "dialogs/MessageBox.h"
#include "doc/Tesslar2Doc.h"
#include "doc/Tesslar2View.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtTest>

using namespace velmora;

class tst_ClipboardWriter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        SetBlockingWait([](int) {});
    }
    void writeReplacesEveryFormat();
    void writeKeepsEveryCharacter();
    void clearEmptiesTheClipboard();
    void withoutAClipboardEveryCommandSaysSo();

private:
    static bool HasClipboard() { return QGuiApplication::platformName() != QLatin1String("offscreen"); }
};

void tst_ClipboardWriter::writeReplacesEveryFormat() {
    if (!HasClipboard()) QSKIP("no clipboard on this platform");
    auto* pOld = new QMimeData;
    pOld->setHtml(QStringLiteral("<b>old</b>"));
    pOld->setText(QStringLiteral("old"));
    QGuiApplication::clipboard()->setMimeData(pOld);
    QVERIFY(PutTextOnClipboard(QStringLiteral("new")));
    const QMimeData* pNow = QGuiApplication::clipboard()->mimeData();
    QVERIFY(pNow);
    QCOMPARE(pNow->text(), QStringLiteral("new"));
    QVERIFY(!pNow->hasHtml());
}

void tst_ClipboardWriter::writeKeepsEveryCharacter() {
    if (!HasClipboard()) QSKIP("no clipboard on this platform");
    // Hebrew with points, marks, a character outside Windows-1255 and one outside the BMP.
    const QString text =
        QString::fromUtf8("\xD7\xA9\xD6\xB8\xD7\x9C\xD7\x95\xD7\x9D \xE2\x80\x8F abc \xC3\xA9 \xF0\x9F\x98\x80<BR>");
    QVERIFY(PutTextOnClipboard(text));
    bool bHasText = false;
    bool bOpened = false;
    QCOMPARE(ReadClipboardText(bHasText, bOpened), text);
    QVERIFY(bOpened && bHasText);
    QVERIFY(PutTextOnClipboard(QString()));
    QCOMPARE(ReadClipboardText(bHasText, bOpened), QString());
}

void tst_ClipboardWriter::clearEmptiesTheClipboard() {
    if (!HasClipboard()) QSKIP("no clipboard on this platform");
    QVERIFY(PutTextOnClipboard(QStringLiteral("full")));
    for (int i = 0; i < 2; ++i) {  // a full clipboard, then an empty one
        QVERIFY(ClearClipboard());
        bool bHasText = true;
        bool bOpened = false;
        QCOMPARE(ReadClipboardText(bHasText, bOpened), QString());
        QVERIFY(bOpened);
        QVERIFY(!bHasText);
    }
}

void tst_ClipboardWriter::withoutAClipboardEveryCommandSaysSo() {
    if (HasClipboard()) QSKIP("this platform has a clipboard");
    QVERIFY(!PutTextOnClipboard(QStringLiteral("text")));
    QVERIFY(!ClearClipboard());
    bool bHasText = true;
    bool bOpened = true;
    ReadClipboardText(bHasText, bOpened);
    QVERIFY(!bOpened);
    QVERIFY(!bHasText);
    // The commands that needed the clipboard tell the user.
    CMessageBoxCapture capture;
    CTesslar2Doc doc;
    CTesslar2View view(&doc);
    view.SetHostCheck([] { return HostState::Ready; });
    view.setPlainText(QStringLiteral("abc"));
    view.OnCopyToHtml();
    view.OnClearClipboard();
    QCOMPARE(capture.Boxes().size(), size_t{2});
    QCOMPARE(capture.Boxes()[0].strText, QStringLiteral("Can not open the Clipboard"));
    QCOMPARE(capture.Boxes()[1].strText, QStringLiteral("Can not open  Clipboard"));
}

QTEST_MAIN(tst_ClipboardWriter)
#include "tst_clipboardwriter.moc"
