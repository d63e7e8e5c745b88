// The snapshot of the view into the text model: text with CR LF, formats, alignment, direction,
// selection, and the lines of the view's own layout.

#include "QtText.h"
#include "doc/Tesslar2Doc.h"
#include "doc/Tesslar2View.h"
#include "doc/ViewSnapshot.h"
#include "richtext/CharSet.h"
#include "richtext/DocumentBuilder.h"
#include "richtext/FormatMapping.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QtTest>

#include <memory>
#include <numeric>

using namespace velmora;
using velmora::test::CompareModels;
using velmora::test::DumpModelText;
using velmora::test::FromU32;
using velmora::test::ToU32;

class tst_ViewSnapshot : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void roundTripThroughDocument_data();
    void roundTripThroughDocument();
    void blockBoundaryIsCrLf();
    void formatsOfCharacters();
    void physicalAlignment_data();
    void physicalAlignment();
    void selectionCountsTwoPerBoundary_data();
    void selectionCountsTwoPerBoundary();
    void positionsOutsideTheBmp();
    void linesFollowTheViewWidth();
    void linesOfEmptyAndFinalParagraphs();

private:
    std::unique_ptr<CTesslar2Doc> m_pDoc;
    std::unique_ptr<CTesslar2View> m_pView;
};

void tst_ViewSnapshot::init() {
    m_pDoc = std::make_unique<CTesslar2Doc>();
    m_pView = std::make_unique<CTesslar2View>(m_pDoc.get());
}

void tst_ViewSnapshot::cleanup() {
    m_pView.reset();
    m_pDoc.reset();
}

void tst_ViewSnapshot::roundTripThroughDocument_data() {
    QTest::addColumn<QString>("dump");
    // Each row builds a model, puts it into a QTextDocument and snapshots it back.
    QTest::newRow("hebrew right rtl") << QStringLiteral("R<|[:שלום עולם]");
    QTest::newRow("mixed runs") << QStringLiteral("R<|[b:שלום][c0: abc ][i u #ff0000 h320:123]");
    QTest::newRow("three alignments") << QStringLiteral("L|[c0:left]\nC<|[:מרכז]\nJ<|[s h200:מיושר]");
    QTest::newRow("empty paragraphs") << QStringLiteral("R<|\nR<|\nR<|");
    QTest::newRow("line feed inside a paragraph") << QStringLiteral("L|[c0:a\nb]");
}

// Builds a model from a dump of the shape DumpModel writes; a paragraph's break takes the format
// of the run before it.
static TextModel ModelFromDump(const QString& dump) {
    TextModel model;
    bool bFirst = true;
    const QRegularExpression token(QStringLiteral("\\[([^:\\]]*):([^\\]]*)\\]|([LRCJ])(<?)\\|"));
    CharFormat cfLast = HebrewTypingFormat();
    for (auto it = token.globalMatch(dump); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(3).isEmpty()) {
            if (!bFirst) model.BreakParagraph(cfLast);
            bFirst = false;
            model.SetParagraphAlignment(static_cast<uint16_t>(QStringLiteral(" LRCJ").indexOf(m.captured(3))));
            model.SetParagraphRtl(!m.captured(4).isEmpty());
            continue;
        }
        cfLast = HebrewTypingFormat();
        for (const QString& attribute : m.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QChar kind = attribute.front();
            if (kind == u'b') cfLast.dwEffects |= CFE_BOLD;
            if (kind == u'i') cfLast.dwEffects |= CFE_ITALIC;
            if (kind == u'u') cfLast.dwEffects |= CFE_UNDERLINE;
            if (kind == u's') cfLast.dwEffects |= CFE_STRIKEOUT;
            if (kind == u'h') cfLast.yHeight = attribute.mid(1).toInt();
            if (kind == u'c') cfLast.bCharSet = static_cast<uint8_t>(attribute.mid(1).toInt());
            if (kind == u'#') {
                const uint32_t rgb = attribute.mid(1).toUInt(nullptr, 16);
                cfLast.dwEffects &= ~CFE_AUTOCOLOR;
                cfLast.crTextColor = (rgb >> 16) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
            }
        }
        model.Append(ToU32(m.captured(2)), cfLast);
    }
    return model;
}

void tst_ViewSnapshot::roundTripThroughDocument() {
    QFETCH(QString, dump);
    const TextModel model = ModelFromDump(dump);
    QCOMPARE(DumpModelText(model), dump);  // the builder reads its own dumps
    FillDocument(model, *m_pDoc->GetTextDocument());
    TextModel back;
    SnapshotDocument(*m_pDoc->GetTextDocument(), back, false);
    QCOMPARE(QString::fromStdString(CompareModels(back, model)), QString());  // the breaks' formats too
    QVERIFY(!m_pDoc->IsModified());
}

void tst_ViewSnapshot::blockBoundaryIsCrLf() {
    m_pView->setPlainText(QStringLiteral("אבג\nabc\n"));
    TextModel model;
    SnapshotDocument(*m_pDoc->GetTextDocument(), model, false);
    QCOMPARE(FromU32(model.Text()), QStringLiteral("אבג\r\nabc\r\n"));
    QCOMPARE(model.GetTextLength(), 10);
    QCOMPARE(model.ParagraphCount(), size_t{3});
    QCOMPARE(model.ParagraphAt(1).nStart, 5);
    QCOMPARE(model.ParagraphAt(2).nStart, 10);
}

void tst_ViewSnapshot::formatsOfCharacters() {
    QTextCursor cursor(m_pDoc->GetTextDocument());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    SetCharSet(bold, HEBREW_CHARSET);
    cursor.insertText(QStringLiteral("אב"), bold);
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    red.setFontPointSize(16);
    red.setFontUnderline(true);
    SetCharSet(red, ANSI_CHARSET);
    cursor.insertText(QStringLiteral("x"), red);
    QTextCharFormat strike;
    strike.setFontStrikeOut(true);
    strike.setFontItalic(true);
    strike.setForeground(QColor(0x12, 0x34, 0x56));
    cursor.insertText(QStringLiteral("y"), strike);  // no character set: reads as Hebrew
    TextModel model;
    SnapshotDocument(*m_pDoc->GetTextDocument(), model, false);
    QCOMPARE(DumpModelText(model), QStringLiteral("R<|[b:אב][u #ff0000 h320 c0:x][i s #123456:y]"));
}

void tst_ViewSnapshot::physicalAlignment_data() {
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("expected");
    QTest::newRow("leading in rtl is right") << int(Qt::AlignLeft) << int(Qt::RightToLeft) << int(PFA_RIGHT);
    QTest::newRow("trailing in rtl is left") << int(Qt::AlignRight) << int(Qt::RightToLeft) << int(PFA_LEFT);
    QTest::newRow("absolute left in rtl")
        << int(Qt::AlignLeft | Qt::AlignAbsolute) << int(Qt::RightToLeft) << int(PFA_LEFT);
    QTest::newRow("absolute right in rtl")
        << int(Qt::AlignRight | Qt::AlignAbsolute) << int(Qt::RightToLeft) << int(PFA_RIGHT);
    QTest::newRow("right in ltr") << int(Qt::AlignRight) << int(Qt::LeftToRight) << int(PFA_RIGHT);
    QTest::newRow("left in ltr") << int(Qt::AlignLeft) << int(Qt::LeftToRight) << int(PFA_LEFT);
    QTest::newRow("centre in rtl") << int(Qt::AlignHCenter) << int(Qt::RightToLeft) << int(PFA_CENTER);
    QTest::newRow("justify in rtl") << int(Qt::AlignJustify) << int(Qt::RightToLeft) << int(PFA_JUSTIFY);
}

void tst_ViewSnapshot::physicalAlignment() {
    QFETCH(int, alignment);
    QFETCH(int, direction);
    QFETCH(int, expected);
    QTextCursor cursor(m_pDoc->GetTextDocument());
    QTextBlockFormat bf;
    bf.setAlignment(Qt::Alignment(alignment));
    bf.setLayoutDirection(Qt::LayoutDirection(direction));
    cursor.setBlockFormat(bf);
    cursor.insertText(QStringLiteral("שלום abc"));
    TextModel model;
    SnapshotDocument(*m_pDoc->GetTextDocument(), model, false);
    QCOMPARE(int(model.ParagraphAt(0).wAlignment), expected);
    QCOMPARE(model.ParagraphAt(0).bRtl, direction == Qt::RightToLeft);
    // And the model's alignment shows the same way when filled back.
    FillDocument(model, *m_pDoc->GetTextDocument());
    TextModel back;
    SnapshotDocument(*m_pDoc->GetTextDocument(), back, false);
    QCOMPARE(int(back.ParagraphAt(0).wAlignment), expected);
}

void tst_ViewSnapshot::selectionCountsTwoPerBoundary_data() {
    QTest::addColumn<int>("qtStart");
    QTest::addColumn<int>("qtEnd");
    QTest::addColumn<int>("modelStart");
    QTest::addColumn<int>("modelEnd");
    // "שלום" | "ab" | "" | "xyz": Qt positions 0..4 | 5..7 | 8 | 9..12.
    QTest::newRow("inside the first paragraph") << 1 << 3 << 1 << 3;
    QTest::newRow("across one boundary") << 2 << 6 << 2 << 7;
    QTest::newRow("start of the last paragraph") << 9 << 9 << 12 << 12;
    QTest::newRow("everything") << 0 << 12 << 0 << 15;
}

void tst_ViewSnapshot::selectionCountsTwoPerBoundary() {
    QFETCH(int, qtStart);
    QFETCH(int, qtEnd);
    QFETCH(int, modelStart);
    QFETCH(int, modelEnd);
    m_pView->setPlainText(QStringLiteral("שלום\nab\n\nxyz"));
    QTextCursor cursor(m_pDoc->GetTextDocument());
    cursor.setPosition(qtEnd);
    cursor.setPosition(qtStart, QTextCursor::KeepAnchor);  // a backward selection
    m_pView->setTextCursor(cursor);
    TextModel model;
    SnapshotView(*m_pView, model);
    int32_t a = -1, b = -1;
    model.GetSel(a, b);
    QCOMPARE(a, modelStart);
    QCOMPARE(b, modelEnd);
    QCOMPARE(QtPosition(*m_pDoc->GetTextDocument(), model, a), qtStart);
    QCOMPARE(QtPosition(*m_pDoc->GetTextDocument(), model, b), qtEnd);
}

void tst_ViewSnapshot::positionsOutsideTheBmp() {
    m_pView->setPlainText(QStringLiteral("a\U0001F600b\nג"));
    TextModel model;
    SnapshotDocument(*m_pDoc->GetTextDocument(), model, false);
    QCOMPARE(model.Length(), 6);  // a, the emoji, b, CR, LF, gimel
    QCOMPARE(model.CharAt(1), char32_t{0x1F600});
    const QTextDocument& doc = *m_pDoc->GetTextDocument();
    QCOMPARE(ModelPosition(doc, model, 3), 2);  // after the surrogate pair
    QCOMPARE(ModelPosition(doc, model, 5), 5);  // gimel
    QCOMPARE(QtPosition(doc, model, 2), 3);
    QCOMPARE(QtPosition(doc, model, 4), 4);  // between CR and LF: end of the paragraph's text
}

// Checks that model's lines are the view's layout lines and that they add up to the text.
static void CheckLinesMatchLayout(const QTextDocument& doc, const TextModel& model) {
    int nLayoutLines = 0;
    std::vector<int32_t> expected;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int32_t nStart = model.ParagraphAt(static_cast<size_t>(block.blockNumber())).nStart;
        for (int i = 0; i < block.layout()->lineCount(); ++i)
            expected.push_back(nStart + block.layout()->lineAt(i).textStart());
        nLayoutLines += std::max(1, block.layout()->lineCount());
    }
    QCOMPARE(model.GetLineCount(), nLayoutLines);
    std::u32string joined;
    int32_t nSum = 0;
    for (int32_t i = 0; i < model.GetLineCount(); ++i) {
        QCOMPARE(model.LineStart(i), expected[static_cast<size_t>(i)]);
        joined += model.GetLine(i);
        nSum += model.LineEnd(i) - model.LineStart(i);
    }
    QCOMPARE(nSum, model.GetTextLength());
    QVERIFY(joined == model.Text());
}

void tst_ViewSnapshot::linesFollowTheViewWidth() {
    QString paragraph;
    for (int i = 0; i < 40; ++i) paragraph += QStringLiteral("מילה%1 ").arg(i);
    m_pView->setPlainText(QStringLiteral("כותרת\n") + paragraph + QStringLiteral("\nסוף"));
    m_pView->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pView.get()));

    m_pView->resize(300, 300);
    QApplication::processEvents();
    TextModel narrow;
    SnapshotView(*m_pView, narrow);
    CheckLinesMatchLayout(*m_pDoc->GetTextDocument(), narrow);

    m_pView->resize(700, 300);
    QApplication::processEvents();
    TextModel wide;
    SnapshotView(*m_pView, wide);
    CheckLinesMatchLayout(*m_pDoc->GetTextDocument(), wide);

    // The long paragraph is several lines, more of them in the narrow view; the short ones one.
    const int nNarrow = narrow.GetLineCount() - 2;
    const int nWide = wide.GetLineCount() - 2;
    QVERIFY2(nWide > 1, qPrintable(QString::number(nWide)));
    QVERIFY2(nNarrow > nWide, qPrintable(QStringLiteral("%1 vs %2").arg(nNarrow).arg(nWide)));
    QCOMPARE(FromU32(wide.GetLine(0)), QStringLiteral("כותרת\r\n"));
    QCOMPARE(wide.LineStart(1), 7);
    // The paragraph's CR LF belong to its last line.
    QVERIFY(FromU32(wide.GetLine(wide.GetLineCount() - 2)).endsWith(QStringLiteral("\r\n")));
    QCOMPARE(FromU32(wide.GetLine(wide.GetLineCount() - 1)), QStringLiteral("סוף"));
    // A line that the layout broke ends after a blank, at a word boundary.
    QVERIFY(FromU32(wide.GetLine(1)).endsWith(QLatin1Char(' ')));
}

void tst_ViewSnapshot::linesOfEmptyAndFinalParagraphs() {
    m_pView->setPlainText(QStringLiteral("a\n\nb\n"));
    m_pView->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pView.get()));
    TextModel model;
    SnapshotView(*m_pView, model);
    QCOMPARE(model.GetLineCount(), 4);
    QCOMPARE(FromU32(model.GetLine(0)), QStringLiteral("a\r\n"));
    QCOMPARE(FromU32(model.GetLine(1)), QStringLiteral("\r\n"));
    QCOMPARE(FromU32(model.GetLine(2)), QStringLiteral("b\r\n"));
    QCOMPARE(FromU32(model.GetLine(3)), QString());
    QCOMPARE(model.LineStart(3), model.Length());
}

QTEST_MAIN(tst_ViewSnapshot)
#include "ViewSnapshotTest.moc"
