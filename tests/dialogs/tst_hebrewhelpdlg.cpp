// The Hebrew help window: the help file from the working directory, the topic buttons and their
// scrolling, the missing-file message, and a pane the user cannot move.

#include "dialogs/HebrewHelpDlg.h"
#include "dialogs/HelpDocument.h"
#include "dialogs/MessageBox.h"
#include "dialogs/PaneLines.h"
#include "dialogs/Pictures.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <memory>

using namespace velmora;

namespace {

const QString kSourceHelp = QStringLiteral(VELMORA_SOURCE_DIR "/res/Content/Orvandel.rtf");

// Numbered filler lines with the given lines put in at the given places.
QString Filler(int nLines, const QMap<int, QString>& special) {
    QStringList lines;
    for (int i = 0; i < nLines; ++i) lines << special.value(i, QStringLiteral("filler line %1").arg(i));
    return lines.join(QLatin1Char('\n'));
}

int LineOf(const QTextEdit& pane, const QString& str) {
    const QTextCursor found = pane.document()->find(str, 0, QTextDocument::FindCaseSensitively);
    return found.isNull() ? -1 : LineFromChar(pane, found.selectionStart());
}

}  // namespace

class tst_HebrewHelpDlg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void windowLooksAsItShould();
    void missingOrUnreadableFileNamesFullPathAndOpensEmpty_data();
    void missingOrUnreadableFileNamesFullPathAndOpensEmpty();
    void buttonBringsHeadingToTopAndAgainStays();
    void firstOfTwoOccurrencesIsUsed();
    void headingInOtherCaseIsNotFound_data();
    void headingInOtherCaseIsNotFound();
    void headingOneLineAboveTopIsReached();
    void lateHeadingScrollsAsFarAsPossible();
    void paneCannotBeScrolledOrSelectedByUser();
    void helpDocumentHoldsEveryTopic_data();
    void helpDocumentHoldsEveryTopic();
    void helpDocumentCopyToDreamweaverComesToTop();
    void helpDocumentKeepsHebrewHeadingsInWindows1255();

private:
    void OpenWith(const QString& strText);

    QTemporaryDir m_dir;
    std::unique_ptr<CMessageBoxCapture> m_pCapture;
    std::unique_ptr<CHebrewHelpDlg> m_pDlg;
};

void tst_HebrewHelpDlg::init() {
    QVERIFY(m_dir.isValid());
    m_pCapture = std::make_unique<CMessageBoxCapture>();
}

void tst_HebrewHelpDlg::cleanup() {
    m_pDlg.reset();
    m_pCapture.reset();
    QDir(m_dir.path() + QStringLiteral("/Content")).removeRecursively();
}

// A window over a missing file, its pane then filled with plain text for the scrolling cases.
void tst_HebrewHelpDlg::OpenWith(const QString& strText) {
    m_pDlg = std::make_unique<CHebrewHelpDlg>(m_dir.path());
    m_pDlg->Pane()->setPlainText(strText);
    m_pDlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pDlg.get()));
}

void tst_HebrewHelpDlg::windowLooksAsItShould() {
    OpenWith(QString());
    QCOMPARE(m_pDlg->windowTitle(), QStringLiteral("Hebrew Help"));
    QTextEdit* pPane = m_pDlg->Pane();
    QVERIFY(!pPane->isEnabled());
    QVERIFY(pPane->isReadOnly());
    QCOMPARE(pPane->palette().color(QPalette::Disabled, QPalette::Base), QColor(255, 255, 200));
    QVERIFY(pPane->document()->defaultTextOption().alignment() & Qt::AlignRight);
    // Six topic buttons down the left, each with its topic's picture, then Cancel.
    int yLast = -1;
    for (int nId : {1010, 1005, 1007, 1011, 1008, 1012}) {
        QPushButton* pButton = m_pDlg->TopicButton(nId);
        QVERIFY(pButton);
        QVERIFY(!pButton->icon().isNull());
        QVERIFY(pButton->y() > yLast);
        QVERIFY(pButton->geometry().right() < pPane->x());
        yLast = pButton->y();
    }
    QCOMPARE(m_pDlg->TopicButton(1005)->icon().pixmap(32, 32).toImage(),
             HelpButtonIcon(kIconHelpCopyToHtml).pixmap(32, 32).toImage());
}

void tst_HebrewHelpDlg::missingOrUnreadableFileNamesFullPathAndOpensEmpty_data() {
    QFile source(kSourceHelp);
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QByteArray help = source.readAll();
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");  // after the full path
    QTest::newRow("missing") << false << QByteArray() << QStringLiteral(" was not found.");
    QTest::newRow("not RTF") << true << QByteArray("Help\nwithout RTF")
                             << QStringLiteral(" could not be read: not an RTF document.");
    QTest::newRow("cut short") << true << help.left(help.size() / 2)
                               << QStringLiteral(" could not be read: the file ends before its text does.");
    QTest::newRow("cut short in a group") << true << QByteArray("{\\rtf1 {\\b Copy to Dreamweaver")
                                          << QStringLiteral(" could not be read: the file ends inside a group.");
}

void tst_HebrewHelpDlg::missingOrUnreadableFileNamesFullPathAndOpensEmpty() {
    QFETCH(bool, present);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString strPath = QDir::toNativeSeparators(m_dir.path() + QStringLiteral("/Content/Orvandel.rtf"));
    if (present) {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("Content")));
        QFile file(strPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    m_pDlg = std::make_unique<CHebrewHelpDlg>(m_dir.path());
    QCOMPARE(m_pDlg->HelpFile(), strPath);
    QCOMPARE(m_pCapture->Boxes().size(), size_t(1));
    QCOMPARE(m_pCapture->Boxes()[0].strText, strPath + message);
    QCOMPARE(m_pCapture->Boxes()[0].icon, QMessageBox::Critical);
    QVERIFY(m_pDlg->Pane()->document()->isEmpty());
    // The window still opens, and its buttons find nothing.
    m_pDlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pDlg.get()));
    QCOMPARE(m_pDlg->FindHeading(TopicHeading(1005)), -1);
    QTest::mouseClick(m_pDlg->TopicButton(1005), Qt::LeftButton);
    QCOMPARE(m_pDlg->Pane()->verticalScrollBar()->value(), 0);
    QCOMPARE(m_pCapture->Boxes().size(), size_t(1));
}

void tst_HebrewHelpDlg::buttonBringsHeadingToTopAndAgainStays() {
    OpenWith(Filler(120, {{40, QStringLiteral("Copy to Dreamweaver")}}));
    QTextEdit* pPane = m_pDlg->Pane();
    const int nLine = LineOf(*pPane, QStringLiteral("Copy to Dreamweaver"));
    QCOMPARE(m_pDlg->FindHeading(QStringLiteral("Copy to Dreamweaver")), nLine);

    QTest::mouseClick(m_pDlg->TopicButton(1005), Qt::LeftButton);
    QCOMPARE(FirstVisibleLine(*pPane), nLine);
    // The heading's line starts at the pane's top edge.
    const QTextCursor found = pPane->document()->find(QStringLiteral("Copy to Dreamweaver"));
    const QRect rcCaret = pPane->cursorRect(found);
    QVERIFY2(qAbs(rcCaret.top()) <= 2, qPrintable(QString::number(rcCaret.top())));

    const int nScroll = pPane->verticalScrollBar()->value();
    QCOMPARE(m_pDlg->FindHeading(QStringLiteral("Copy to Dreamweaver")), 0);
    QTest::mouseClick(m_pDlg->TopicButton(1005), Qt::LeftButton);
    QCOMPARE(pPane->verticalScrollBar()->value(), nScroll);
}

void tst_HebrewHelpDlg::firstOfTwoOccurrencesIsUsed() {
    OpenWith(Filler(150, {{30, QStringLiteral("Paste from Browser")}, {90, QStringLiteral("Paste from Browser")}}));
    QTest::mouseClick(m_pDlg->TopicButton(1007), Qt::LeftButton);
    QCOMPARE(FirstVisibleLine(*m_pDlg->Pane()), 30);
    // And the way back up: from further down, a negative difference.
    LineScroll(*m_pDlg->Pane(), 70);
    QCOMPARE(FirstVisibleLine(*m_pDlg->Pane()), 100);
    QCOMPARE(m_pDlg->FindHeading(QStringLiteral("Paste from Browser")), -70);
    QTest::mouseClick(m_pDlg->TopicButton(1007), Qt::LeftButton);
    QCOMPARE(FirstVisibleLine(*m_pDlg->Pane()), 30);
}

void tst_HebrewHelpDlg::headingInOtherCaseIsNotFound_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("heading");
    QTest::newRow("lower case") << "Copy to Dreamweaver"
                                << "copy to dreamweaver";
    QTest::newRow("upper case") << "Copy non-styled HTML"
                                << "COPY NON-STYLED HTML";
    QTest::newRow("Hebrew with a final letter for a plain one")
        << QString::fromUtf16(u"\u05DE\u05D5\u05D7\u05E7 \u05DB\u05DC\u05DC\u05D9")
        << QString::fromUtf16(u"\u05DE\u05D5\u05D7\u05E7 \u05DA\u05DC\u05DC\u05D9");
}

void tst_HebrewHelpDlg::headingInOtherCaseIsNotFound() {
    QFETCH(QString, text);
    QFETCH(QString, heading);
    OpenWith(Filler(60, {{20, text}}));
    QCOMPARE(m_pDlg->FindHeading(heading), -1);
    QVERIFY(m_pDlg->FindHeading(text) > 0);
}

void tst_HebrewHelpDlg::headingOneLineAboveTopIsReached() {
    // The button distinguishes "one line up" from "not found" although both read -1.
    OpenWith(Filler(120, {{29, TopicHeading(1008)}}));
    LineScroll(*m_pDlg->Pane(), 30);
    QCOMPARE(FirstVisibleLine(*m_pDlg->Pane()), 30);
    QCOMPARE(m_pDlg->FindHeading(TopicHeading(1008)), -1);
    m_pDlg->OnTopic(1008);
    QCOMPARE(FirstVisibleLine(*m_pDlg->Pane()), 29);
}

void tst_HebrewHelpDlg::lateHeadingScrollsAsFarAsPossible() {
    OpenWith(Filler(80, {{79, TopicHeading(1012)}}));
    QScrollBar* pBar = m_pDlg->Pane()->verticalScrollBar();
    QTest::mouseClick(m_pDlg->TopicButton(1012), Qt::LeftButton);
    QCOMPARE(pBar->value(), pBar->maximum());
    QVERIFY(FirstVisibleLine(*m_pDlg->Pane()) < 79);
    QTest::mouseClick(m_pDlg->TopicButton(1012), Qt::LeftButton);
    QCOMPARE(pBar->value(), pBar->maximum());
}

void tst_HebrewHelpDlg::paneCannotBeScrolledOrSelectedByUser() {
    OpenWith(Filler(200, {}));
    QTextEdit* pPane = m_pDlg->Pane();
    QWidget* pViewport = pPane->viewport();
    QScrollBar* pBar = pPane->verticalScrollBar();
    QVERIFY(pBar->maximum() > 0);

    QTest::mouseClick(pViewport, Qt::LeftButton, {}, QPoint(100, 20));
    QTest::mousePress(pViewport, Qt::LeftButton, {}, QPoint(200, 10));
    QTest::mouseMove(pViewport, QPoint(10, pViewport->height() + 50));
    QTest::mouseRelease(pViewport, Qt::LeftButton, {}, QPoint(10, pViewport->height() + 50));
    QTest::mouseDClick(pViewport, Qt::LeftButton, {}, QPoint(100, 20));
    QWheelEvent wheel(QPointF(100, 100), pViewport->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, -360),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pViewport, &wheel);
    for (QWidget* pTarget : {static_cast<QWidget*>(pPane), static_cast<QWidget*>(m_pDlg.get())}) {
        QTest::keyClick(pTarget, Qt::Key_PageDown);
        QTest::keyClick(pTarget, Qt::Key_Down);
        QTest::keyClick(pTarget, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(pTarget, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(pTarget, Qt::Key_Down, Qt::ShiftModifier);
    }
    QCOMPARE(pBar->value(), 0);
    QVERIFY(!pPane->textCursor().hasSelection());
    QVERIFY(!pPane->hasFocus());
    QVERIFY(m_pDlg->isVisible());
}

void tst_HebrewHelpDlg::helpDocumentHoldsEveryTopic_data() {
    QTest::addColumn<int>("button");
    for (int nId : {1010, 1005, 1007, 1011, 1008, 1012}) QTest::newRow(qPrintable(QString::number(nId))) << nId;
}

void tst_HebrewHelpDlg::helpDocumentHoldsEveryTopic() {
    QFETCH(int, button);
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("Content")));
    QVERIFY(QFile::copy(kSourceHelp, m_dir.path() + QStringLiteral("/Content/Orvandel.rtf")));
    m_pDlg = std::make_unique<CHebrewHelpDlg>(m_dir.path());
    QVERIFY(m_pCapture->Boxes().empty());
    m_pDlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pDlg.get()));
    // Each heading is a line of its own, and the document holds it first there.
    const QString strHeading = TopicHeading(button);
    const QTextCursor found = m_pDlg->Pane()->document()->find(strHeading, 0, QTextDocument::FindCaseSensitively);
    QVERIFY2(!found.isNull(), qPrintable(strHeading));
    QCOMPARE(found.block().text().trimmed(), strHeading);
    QVERIFY(m_pDlg->FindHeading(strHeading) >= 0);
}

void tst_HebrewHelpDlg::helpDocumentCopyToDreamweaverComesToTop() {
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("Content")));
    QVERIFY(QFile::copy(kSourceHelp, m_dir.path() + QStringLiteral("/Content/Orvandel.rtf")));
    m_pDlg = std::make_unique<CHebrewHelpDlg>(m_dir.path());
    m_pDlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pDlg.get()));
    QTextEdit* pPane = m_pDlg->Pane();
    QCOMPARE(FirstVisibleLine(*pPane), 0);
    QTest::mouseClick(m_pDlg->TopicButton(1005), Qt::LeftButton);
    QCOMPARE(FirstVisibleLine(*pPane), LineOf(*pPane, QStringLiteral("Copy to Dreamweaver")));
    const int nScroll = pPane->verticalScrollBar()->value();
    QVERIFY(nScroll > 0);
    QTest::mouseClick(m_pDlg->TopicButton(1005), Qt::LeftButton);
    QCOMPARE(pPane->verticalScrollBar()->value(), nScroll);
    // Back to the general explanation at the very top.
    QTest::mouseClick(m_pDlg->TopicButton(1010), Qt::LeftButton);
    QCOMPARE(FirstVisibleLine(*pPane), 0);
}

void tst_HebrewHelpDlg::helpDocumentKeepsHebrewHeadingsInWindows1255() {
    QFile file(kSourceHelp);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray rtf = file.readAll();
    QVERIFY(rtf.contains("\\fcharset177"));
    QVERIFY(rtf.contains("\\ansicpg1255"));
    // The Hebrew letters alef to tav are the bytes 0xE0 to 0xFA of Windows-1255.
    for (int nId : {1010, 1008, 1012}) {
        QByteArray escaped;
        for (QChar ch : TopicHeading(nId)) {
            if (ch.unicode() >= 0x05D0 && ch.unicode() <= 0x05EA)
                escaped += "\\'" + QByteArray::number(0xE0 + (ch.unicode() - 0x05D0), 16);
            else
                escaped += static_cast<char>(ch.unicode());
        }
        QVERIFY2(rtf.contains(escaped), escaped.constData());
    }
}

QTEST_MAIN(tst_HebrewHelpDlg)
#include "tst_hebrewhelpdlg.moc"
