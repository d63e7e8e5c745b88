// The character set of every character: the typing rule, the inference for pasted rich text, and
// that copy and paste inside the view keeps the sets.

#include "QtText.h"
#include "doc/Tesslar2Doc.h"
#include "doc/Tesslar2View.h"
#include "doc/ViewSnapshot.h"
#include "richtext/CharSet.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextCursor>
#include <QtTest>

#include <memory>

using namespace velmora;

// Types text into pWidget one key at a time, as a keyboard would deliver it (any script).
static void TypeText(QWidget* pWidget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(pWidget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(pWidget, &release);
    }
}

class tst_CharSet : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void typedCharSet_data();
    void typedCharSet();
    void inferredCharSet_data();
    void inferredCharSet();
    void typingInTheView_data();
    void typingInTheView();
    void keyboardGroupOfTheKeyEvent_data();
    void keyboardGroupOfTheKeyEvent();
    void typingUndoesAsOneStep();
    void pastedHtmlIsInferred();
    void pastedLineBreaksBreakParagraphs();
    void pastedPlainTextFollowsTheTypingRule();
    void copyPasteKeepsTheSets();
    void pastedRtfGoesThroughTheReader_data();
    void pastedRtfGoesThroughTheReader();

private:
    QString SetsOf(int nFrom, int nTo) const;
    std::unique_ptr<CTesslar2Doc> m_pDoc;
    std::unique_ptr<CTesslar2View> m_pView;
    bool m_bHebrewLayout = false;
};

void tst_CharSet::init() {
    m_pDoc = std::make_unique<CTesslar2Doc>();
    m_pView = std::make_unique<CTesslar2View>(m_pDoc.get());
    m_bHebrewLayout = false;
    m_pView->SetHebrewLayoutQuery([this] { return m_bHebrewLayout; });
    m_pView->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pView.get()));
    m_pView->setFocus();
}

void tst_CharSet::cleanup() {
    m_pView.reset();
    m_pDoc.reset();
}

// The sets of the snapshot's characters [nFrom, nTo) as "177 0 ...".
QString tst_CharSet::SetsOf(int nFrom, int nTo) const {
    TextModel model;
    SnapshotDocument(*m_pDoc->GetTextDocument(), model, false);
    QStringList sets;
    for (int i = nFrom; i < nTo && i < model.Length(); ++i) sets << QString::number(model.FormatAt(i).bCharSet);
    return sets.join(QLatin1Char(' '));
}

void tst_CharSet::typedCharSet_data() {
    QTest::addColumn<uint>("ch");
    QTest::addColumn<bool>("hebrewLayout");
    QTest::addColumn<int>("insertionSet");
    QTest::addColumn<int>("expected");
    QTest::newRow("alef, latin layout") << uint(0x05D0) << false << 0 << 177;
    QTest::newRow("final nun, latin layout") << uint(0x05DF) << false << 0 << 177;
    QTest::newRow("presentation form") << uint(0xFB2A) << false << 0 << 177;
    QTest::newRow("latin letter keeps the set") << uint('a') << false << 0 << 0;
    QTest::newRow("latin letter after hebrew") << uint('a') << false << 177 << 177;
    QTest::newRow("digit keeps the set") << uint('7') << false << 0 << 0;
    QTest::newRow("latin letter, hebrew layout") << uint('a') << true << 0 << 177;
    QTest::newRow("blank, hebrew layout") << uint(' ') << true << 0 << 177;
    QTest::newRow("greek set kept") << uint(0x03B1) << false << 161 << 161;
}

void tst_CharSet::typedCharSet() {
    QFETCH(uint, ch);
    QFETCH(bool, hebrewLayout);
    QFETCH(int, insertionSet);
    QFETCH(int, expected);
    QCOMPARE(int(TypedCharSet(ch, hebrewLayout, static_cast<uint8_t>(insertionSet))), expected);
}

void tst_CharSet::inferredCharSet_data() {
    QTest::addColumn<uint>("ch");
    QTest::addColumn<bool>("rtl");
    QTest::addColumn<int>("fontSet");
    QTest::addColumn<int>("expected");
    QTest::newRow("hebrew letter in ltr") << uint(0x05E9) << false << 0 << 177;
    QTest::newRow("hebrew point") << uint(0x05B0) << false << 0 << 177;
    QTest::newRow("latin letter in rtl") << uint('b') << true << 0 << 0;
    QTest::newRow("digit in rtl") << uint('4') << true << 0 << 177;
    QTest::newRow("digit in ltr") << uint('4') << false << 0 << 0;
    QTest::newRow("blank in rtl") << uint(' ') << true << 0 << 177;
    QTest::newRow("cyrillic letter keeps font set") << uint(0x0416) << true << 204 << 204;
}

void tst_CharSet::inferredCharSet() {
    QFETCH(uint, ch);
    QFETCH(bool, rtl);
    QFETCH(int, fontSet);
    QFETCH(int, expected);
    QCOMPARE(int(InferredCharSet(ch, rtl, static_cast<uint8_t>(fontSet))), expected);
}

void tst_CharSet::typingInTheView_data() {
    QTest::addColumn<bool>("hebrewLayout");
    QTest::addColumn<int>("insertionSet");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sets");
    QTest::newRow("latin layout, latin text") << false << 0 << QStringLiteral("ab 1") << QStringLiteral("0 0 0 0");
    QTest::newRow("latin layout, hebrew then latin")
        << false << 0 << QStringLiteral("שa") << QStringLiteral("177 177");  // the insertion format is Hebrew now
    QTest::newRow("latin layout, latin then hebrew") << false << 0 << QStringLiteral("aש") << QStringLiteral("0 177");
    QTest::newRow("hebrew layout, anything")
        << true << 0 << QStringLiteral("a1 ש") << QStringLiteral("177 177 177 177");
    QTest::newRow("new document types hebrew") << false << -1 << QStringLiteral("x") << QStringLiteral("177");
}

void tst_CharSet::typingInTheView() {
    QFETCH(bool, hebrewLayout);
    QFETCH(int, insertionSet);
    QFETCH(QString, typed);
    QFETCH(QString, sets);
    m_bHebrewLayout = hebrewLayout;
    if (insertionSet >= 0) {
        QTextCharFormat cf = m_pView->currentCharFormat();
        SetCharSet(cf, static_cast<uint8_t>(insertionSet));
        m_pView->setCurrentCharFormat(cf);
    }
    TypeText(m_pView.get(), typed);
    QCOMPARE(m_pView->toPlainText(), typed);
    QCOMPARE(SetsOf(0, static_cast<int>(typed.size())), sets);
    QVERIFY(m_pDoc->IsModified());
}

void tst_CharSet::keyboardGroupOfTheKeyEvent_data() {
    QTest::addColumn<int>("hebrewGroup");
    QTest::addColumn<int>("eventGroup");
    QTest::addColumn<int>("expected");
    QTest::newRow("typed in the hebrew group") << 1 << 1 << 177;
    QTest::newRow("typed in another group") << 1 << 0 << 0;
    QTest::newRow("hebrew is group 2") << 2 << 2 << 177;
    QTest::newRow("no hebrew group") << -1 << 1 << 0;
}

void tst_CharSet::keyboardGroupOfTheKeyEvent() {
    QFETCH(int, hebrewGroup);
    QFETCH(int, eventGroup);
    QFETCH(int, expected);
    CTesslar2View view(m_pDoc.get());  // no layout query: the view reads the key event
    view.SetHebrewKeyboardGroup(hebrewGroup);
    QTextCharFormat cf = view.currentCharFormat();
    SetCharSet(cf, ANSI_CHARSET);
    view.setCurrentCharFormat(cf);
    const quint32 nState = static_cast<quint32>(eventGroup) << 13;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 38, 0x61, nState, QStringLiteral("a"));
    QApplication::sendEvent(&view, &press);
    QCOMPARE(view.toPlainText(), QStringLiteral("a"));
    QCOMPARE(SetsOf(0, 1), QString::number(expected));
}

void tst_CharSet::typingUndoesAsOneStep() {
    TypeText(m_pView.get(), QStringLiteral("שלום"));
    m_pView->textCursor().insertBlock();
    TypeText(m_pView.get(), QStringLiteral("abc"));
    m_pView->undo();
    QCOMPARE(m_pView->toPlainText(), QStringLiteral("שלום\n"));
    m_pView->undo();
    m_pView->undo();
    QCOMPARE(m_pView->toPlainText(), QString());
}

void tst_CharSet::pastedHtmlIsInferred() {
    // The view's paragraph is right to left: blanks and digits of pasted rich text become Hebrew.
    QMimeData data;
    data.setHtml(QStringLiteral("<b>ab שלום 12</b>"));
    m_pView->PasteFormat(&data, QStringLiteral("text/html"));
    QCOMPARE(m_pView->toPlainText(), QStringLiteral("ab שלום 12"));
    QCOMPARE(SetsOf(0, 10), QStringLiteral("0 0 177 177 177 177 177 177 177 177"));
    TextModel model;
    SnapshotDocument(*m_pDoc->GetTextDocument(), model, false);
    QVERIFY(model.FormatAt(0).IsBold());
}

void tst_CharSet::pastedLineBreaksBreakParagraphs() {
    QMimeData data;
    data.setHtml(QStringLiteral("<p>אחת<br>שתיים<br/>3</p>"));
    m_pView->PasteFormat(&data, QStringLiteral("text/html"));
    TextModel model;
    SnapshotDocument(*m_pDoc->GetTextDocument(), model, false);
    QCOMPARE(velmora::test::FromU32(model.Text()), QStringLiteral("אחת\r\nשתיים\r\n3"));
    QCOMPARE(model.ParagraphCount(), size_t{3});
    QCOMPARE(SetsOf(12, 13), QStringLiteral("177"));  // the digit in a right-to-left paragraph
    m_pView->undo();
    QCOMPARE(m_pView->toPlainText(), QString());
}

void tst_CharSet::pastedPlainTextFollowsTheTypingRule() {
    QTextCharFormat cf = m_pView->currentCharFormat();
    SetCharSet(cf, ANSI_CHARSET);
    m_pView->setCurrentCharFormat(cf);
    QMimeData data;
    data.setText(QStringLiteral("a ב"));
    m_pView->PasteFormat(&data, QStringLiteral("text/plain"));
    QCOMPARE(SetsOf(0, 3), QStringLiteral("0 0 177"));
}

void tst_CharSet::copyPasteKeepsTheSets() {
    QTextCursor cursor(m_pDoc->GetTextDocument());
    QTextCharFormat latin;
    SetCharSet(latin, ANSI_CHARSET);
    cursor.insertText(QStringLiteral("1 "), latin);  // inference would make these Hebrew here
    QTextCharFormat hebrew;
    SetCharSet(hebrew, HEBREW_CHARSET);
    cursor.insertText(QStringLiteral("ש"), hebrew);
    m_pView->selectAll();
    m_pView->copy();
    QTextCursor end = m_pView->textCursor();
    end.movePosition(QTextCursor::End);
    m_pView->setTextCursor(end);
    m_pView->paste();
    QCOMPARE(m_pView->toPlainText(), QStringLiteral("1 ש1 ש"));
    QCOMPARE(SetsOf(0, 6), QStringLiteral("0 0 177 0 0 177"));
}

void tst_CharSet::pastedRtfGoesThroughTheReader_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sets");
    QTest::newRow("declared hebrew font")
        << QByteArray(
               "{\\rtf1\\ansi\\ansicpg1255{\\fonttbl{\\f0\\fcharset177 David;}{\\f1\\fcharset0 Arial;}}"
               "\\f0 \\'f9 1\\f1\\b a 2\\par}")
        << QStringLiteral("ש 1a 2") << QStringLiteral("177 177 177 0 0 0");
    QTest::newRow("no hebrew font: inferred")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}}\\rtlpar\\f0 \\u1513? 1a\\par}")
        << QStringLiteral("ש 1a") << QStringLiteral("177 177 177 0");
    QTest::newRow("two paragraphs")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}}\\f0 x\\par\\pard\\qc y\\par}")
        << QStringLiteral("x\ny") << QStringLiteral("0 0");
}

void tst_CharSet::pastedRtfGoesThroughTheReader() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QString, sets);
    QMimeData data;
    data.setData(QStringLiteral("text/rtf"), rtf);
    data.setText(QStringLiteral("plain fallback"));
    m_pView->PasteFormat(&data, QStringLiteral("text/rtf"));
    QCOMPARE(m_pView->toPlainText(), text);
    QStringList seen = SetsOf(0, 20).split(QLatin1Char(' '));
    if (text.contains(QLatin1Char('\n'))) {
        QCOMPARE(seen.size(), 4);  // x, CR, LF, y
        QCOMPARE(seen[0] + QLatin1Char(' ') + seen[3], sets);
        TextModel model;
        SnapshotDocument(*m_pDoc->GetTextDocument(), model, false);
        QCOMPARE(int(model.ParagraphAt(1).wAlignment), int(PFA_CENTER));
    } else {
        QCOMPARE(seen.join(QLatin1Char(' ')), sets);
    }
    QVERIFY(m_pView->document()->isUndoAvailable());
}

QTEST_MAIN(tst_CharSet)
#include "CharSetTest.moc"
