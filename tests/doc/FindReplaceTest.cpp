// Find, Find Next and Replace over the view's text, Hebrew included.

#include "doc/Tesslar2Doc.h"
#include "doc/Tesslar2View.h"

#include <QTextCursor>
#include <QtTest>

#include <memory>

using namespace velmora;

class tst_FindReplace : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void findSelects_data();
    void findSelects();
    void findNextGoesRound();
    void replaceAll_data();
    void replaceAll();
    void hideSelectionKeepsTheSelection();

private:
    std::unique_ptr<CTesslar2Doc> m_pDoc;
    std::unique_ptr<CTesslar2View> m_pView;
};

void tst_FindReplace::init() {
    m_pDoc = std::make_unique<CTesslar2Doc>();
    m_pView = std::make_unique<CTesslar2View>(m_pDoc.get());
    m_pView->setPlainText(QStringLiteral("שלום Abc\nעולם abc שלום\nabcd"));
}

void tst_FindReplace::cleanup() {
    m_pView.reset();
    m_pDoc.reset();
}

void tst_FindReplace::findSelects_data() {
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("start");  // -1: not found
    QTest::newRow("hebrew word") << QStringLiteral("עולם") << 0 << 9;
    QTest::newRow("any case") << QStringLiteral("abc") << 0 << 5;
    QTest::newRow("match case") << QStringLiteral("abc") << int(QTextDocument::FindCaseSensitively) << 14;
    QTest::newRow("whole word") << QStringLiteral("abc")
                                << int(QTextDocument::FindCaseSensitively | QTextDocument::FindWholeWords) << 14;
    QTest::newRow("missing") << QStringLiteral("שבת") << 0 << -1;
}

void tst_FindReplace::findSelects() {
    QFETCH(QString, what);
    QFETCH(int, flags);
    QFETCH(int, start);
    const bool bFound = m_pView->FindAndSelect(what, QTextDocument::FindFlags(flags));
    QCOMPARE(bFound, start >= 0);
    if (!bFound) {
        QVERIFY(!m_pView->textCursor().hasSelection());
        return;
    }
    QCOMPARE(m_pView->textCursor().selectionStart(), start);
    QCOMPARE(m_pView->textCursor().selectedText().compare(what, Qt::CaseInsensitive), 0);
}

void tst_FindReplace::findNextGoesRound() {
    QVERIFY(m_pView->FindAndSelect(QStringLiteral("שלום"), {}));
    QCOMPARE(m_pView->textCursor().selectionStart(), 0);
    m_pView->OnEditRepeat();  // F3
    QCOMPARE(m_pView->textCursor().selectionStart(), 18);
    m_pView->OnEditRepeat();  // round to the start again
    QCOMPARE(m_pView->textCursor().selectionStart(), 0);
    QVERIFY(m_pView->FindAndSelect(QStringLiteral("שלום"), QTextDocument::FindBackward));
    QCOMPARE(m_pView->textCursor().selectionStart(), 18);
}

void tst_FindReplace::replaceAll_data() {
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("with");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("hebrew") << QStringLiteral("שלום") << QStringLiteral("היי") << 0 << 2
                            << QStringLiteral("היי Abc\nעולם abc היי\nabcd");
    QTest::newRow("whole words, any case")
        << QStringLiteral("abc") << QStringLiteral("x") << int(QTextDocument::FindWholeWords) << 2
        << QStringLiteral("שלום x\nעולם x שלום\nabcd");
    QTest::newRow("replacement holds the text")
        << QStringLiteral("abc") << QStringLiteral("abcabc") << int(QTextDocument::FindCaseSensitively) << 2
        << QStringLiteral("שלום Abc\nעולם abcabc שלום\nabcabcd");
    QTest::newRow("nothing") << QStringLiteral("zz") << QStringLiteral("y") << 0 << 0
                             << QStringLiteral("שלום Abc\nעולם abc שלום\nabcd");
}

void tst_FindReplace::replaceAll() {
    QFETCH(QString, what);
    QFETCH(QString, with);
    QFETCH(int, flags);
    QFETCH(int, count);
    QFETCH(QString, text);
    QCOMPARE(m_pView->ReplaceAll(what, with, QTextDocument::FindFlags(flags)), count);
    QCOMPARE(m_pView->toPlainText(), text);
    if (count > 0) {
        m_pView->undo();  // one step undoes them all
        QCOMPARE(m_pView->toPlainText(), QStringLiteral("שלום Abc\nעולם abc שלום\nabcd"));
    }
}

void tst_FindReplace::hideSelectionKeepsTheSelection() {
    m_pView->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pView.get()));
    QVERIFY(m_pView->FindAndSelect(QStringLiteral("עולם"), {}));
    const QColor shown = m_pView->palette().color(QPalette::Active, QPalette::Highlight);
    m_pView->HideSelection(true);
    QCOMPARE(m_pView->palette().color(QPalette::Active, QPalette::Highlight),
             m_pView->palette().color(QPalette::Active, QPalette::Base));
    QCOMPARE(m_pView->textCursor().selectedText(), QStringLiteral("עולם"));
    // The picture shows no highlight: the selected word's pixels match an unselected view's.
    m_pView->setCursorWidth(0);
    const QImage hidden = m_pView->viewport()->grab().toImage();
    QTextCursor none = m_pView->textCursor();
    none.clearSelection();
    m_pView->setTextCursor(none);
    const QImage plain = m_pView->viewport()->grab().toImage();
    QCOMPARE(hidden, plain);
    m_pView->HideSelection(false);
    QCOMPARE(m_pView->palette().color(QPalette::Active, QPalette::Highlight), shown);
}

QTEST_MAIN(tst_FindReplace)
#include "FindReplaceTest.moc"
