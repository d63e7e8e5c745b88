// The line length: the dialog and its messages, the toolbar box with its capacity, the capacity
// sub-menu and the idle update.

#include "AutoClose.h"
#include "dialogs/LineLengthDlg.h"
#include "dialogs/MessageBox.h"
#include "doc/LineLength.h"
#include "doc/Tesslar2Doc.h"
#include "doc/Tesslar2View.h"
#include "frame/CommandIds.h"
#include "frame/LineLengthBox.h"
#include "frame/MainFrame.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace velmora;

// Lets the event loop run until it has nothing to do and waits, as the interface does when idle.
static void WaitIdle() {
    QEventLoop loop;
    QTimer::singleShot(30, &loop, &QEventLoop::quit);
    loop.exec();
}

class tst_LineLength : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void boxSequences_data();
    void boxSequences();
    void firstItemReplacedWhenNot256();
    void cancelChangesNothing();
    void idleUpdateFollowsTheBox();
    void capacityRadioMarkAndAltS();
    void dialogStartsWithTheLength();
    void dialogMessages_data();
    void dialogMessages();
    void leadingInteger_data();
    void leadingInteger();

private:
    // Runs Set line length and answers the dialog with strText (OK), or Cancel for a null text.
    void EnterLineLength(const QString& strText);
    QString BoxItems() const;
    QTemporaryDir m_dir;
    std::unique_ptr<CTesslar2Doc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pFrame;
};

void tst_LineLength::initTestCase() {
    QVERIFY(m_dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
}

void tst_LineLength::init() {
    g_nLineLength = 256;
    m_pDoc = std::make_unique<CTesslar2Doc>();
    m_pFrame = std::make_unique<CMainFrame>(m_pDoc.get(), false);
    m_pFrame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pFrame.get()));
}

void tst_LineLength::cleanup() {
    m_pFrame.reset();
    m_pDoc.reset();
}

void tst_LineLength::EnterLineLength(const QString& strText) {
    bool bAnswered = false;
    QTimer::singleShot(0, this, [&] {
        auto* pDlg = qobject_cast<CLineLengthDlg*>(QApplication::activeModalWidget());
        QVERIFY(pDlg);
        bAnswered = true;
        if (strText.isNull()) {
            pDlg->reject();
            return;
        }
        pDlg->m_editLength->setText(strText);
        pDlg->accept();
    });
    m_pFrame->OnCommand(ID_SET_LINE_LENGTH);
    QVERIFY(bAnswered);
}

// "256 40 [60]": the items, the selected one in brackets.
QString tst_LineLength::BoxItems() const {
    QStringList items;
    const QComboBox* pBox = m_pFrame->m_wndLineLengthBox;
    for (int i = 0; i < pBox->count(); ++i)
        items << (i == pBox->currentIndex() ? QStringLiteral("[%1]").arg(pBox->itemText(i)) : pBox->itemText(i));
    return items.join(QLatin1Char(' '));
}

void tst_LineLength::boxSequences_data() {
    QTest::addColumn<QStringList>("steps");  // "cap:N" chooses a capacity, a number is entered
    QTest::addColumn<QString>("items");
    QTest::addColumn<int>("lineLength");
    QTest::newRow("capacity 2, one length") << QStringList{QStringLiteral("40")} << QStringLiteral("256 [40]") << 40;
    QTest::newRow("capacity 2, the newer replaces the older")
        << QStringList{QStringLiteral("40"), QStringLiteral("60")} << QStringLiteral("256 [60]") << 60;
    QTest::newRow("capacity 3, oldest dropped")
        << QStringList{QStringLiteral("cap:3"), QStringLiteral("40"), QStringLiteral("60"), QStringLiteral("80")}
        << QStringLiteral("256 60 [80]") << 80;
    QTest::newRow("capacity 3, existing length only selected")
        << QStringList{QStringLiteral("cap:3"), QStringLiteral("40"), QStringLiteral("60"), QStringLiteral("80"),
                       QStringLiteral("60")}
        << QStringLiteral("256 [60] 80") << 60;
    QTest::newRow("256 selects item 0") << QStringList{QStringLiteral("256")} << QStringLiteral("[256]") << 256;
    QTest::newRow("256 never added twice")
        << QStringList{QStringLiteral("40"), QStringLiteral("256")} << QStringLiteral("[256] 40") << 256;
    QTest::newRow("trimmed when the capacity falls")
        << QStringList{QStringLiteral("cap:4"), QStringLiteral("40"), QStringLiteral("60"), QStringLiteral("80"),
                       QStringLiteral("cap:2")}
        << QStringLiteral("256 [80]") << 80;
    QTest::newRow("trimmed to three") << QStringList{QStringLiteral("cap:5"), QStringLiteral("10"),
                                                     QStringLiteral("20"),    QStringLiteral("30"),
                                                     QStringLiteral("40"),    QStringLiteral("cap:3")}
                                      << QStringLiteral("256 30 [40]") << 40;
    QTest::newRow("raising the capacity changes nothing")
        << QStringList{QStringLiteral("40"), QStringLiteral("cap:6")} << QStringLiteral("256 [40]") << 40;
    QTest::newRow("lower capacity that already fits")
        << QStringList{QStringLiteral("cap:5"), QStringLiteral("40"), QStringLiteral("cap:3")}
        << QStringLiteral("256 [40]") << 40;
    QTest::newRow("capacity 10 holds ten")
        << QStringList{QStringLiteral("cap:10"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                       QStringLiteral("4"),      QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
                       QStringLiteral("8"),      QStringLiteral("9"), QStringLiteral("10")}
        << QStringLiteral("256 2 3 4 5 6 7 8 9 [10]") << 10;
}

void tst_LineLength::boxSequences() {
    QFETCH(QStringList, steps);
    QFETCH(QString, items);
    QFETCH(int, lineLength);
    for (const QString& step : steps) {
        if (step.startsWith(QLatin1String("cap:"))) {
            m_pFrame->OnCommand(ID_CAPACITY_FIRST + step.mid(4).toInt() - 2);
        } else {
            EnterLineLength(step);
        }
    }
    QCOMPARE(BoxItems(), items);
    WaitIdle();
    QCOMPARE(g_nLineLength, lineLength);
}

void tst_LineLength::firstItemReplacedWhenNot256() {
    QComboBox box;
    box.addItems({QStringLiteral("100"), QStringLiteral("40")});
    RememberLineLength(box, 60, 2);
    QCOMPARE(box.count(), 2);
    QCOMPARE(box.itemText(0), QStringLiteral("40"));
    QCOMPARE(box.itemText(1), QStringLiteral("60"));
    QCOMPARE(box.currentIndex(), 1);
}

void tst_LineLength::cancelChangesNothing() {
    EnterLineLength(QStringLiteral("40"));
    EnterLineLength(QString());
    QCOMPARE(BoxItems(), QStringLiteral("256 [40]"));
    QCOMPARE(g_nLineLength, 40);
}

void tst_LineLength::idleUpdateFollowsTheBox() {
    m_pFrame->OnCommand(ID_CAPACITY_FIRST + 1);
    EnterLineLength(QStringLiteral("40"));
    EnterLineLength(QStringLiteral("60"));
    m_pFrame->m_wndLineLengthBox->setCurrentIndex(1);
    QCOMPARE(g_nLineLength, 60);  // not before the interface falls idle
    WaitIdle();
    QCOMPARE(g_nLineLength, 40);
    m_pFrame->m_wndLineLengthBox->setCurrentIndex(0);
    WaitIdle();
    QCOMPARE(g_nLineLength, 256);
}

void tst_LineLength::capacityRadioMarkAndAltS() {
    const auto marked = [this] {
        QStringList checked;
        for (QAction* pAction : m_pFrame->CapacityMenu()->actions())
            if (pAction->isChecked()) checked << pAction->text();
        return checked.join(QLatin1Char(','));
    };
    QCOMPARE(marked(), QStringLiteral("2"));
    m_pFrame->OnCommand(ID_CAPACITY_FIRST + 5);
    QCOMPARE(m_pFrame->m_nCapacity, 7);
    QCOMPARE(m_pFrame->m_nCapacityMark, 7);
    WaitIdle();
    QCOMPARE(marked(), QStringLiteral("7"));
    m_pFrame->activateWindow();
    QApplication::setActiveWindow(m_pFrame.get());
    QTRY_COMPARE(QApplication::activeWindow(), m_pFrame.get());
    QTest::keyClick(m_pFrame->GetActiveView(), Qt::Key_S, Qt::AltModifier);
    QCOMPARE(m_pFrame->m_nCapacity, 2);
    WaitIdle();
    QCOMPARE(marked(), QStringLiteral("2"));
}

void tst_LineLength::dialogStartsWithTheLength() {
    CLineLengthDlg dlg(77, kLineLengthCaption);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Set line length for text convertion"));
    QCOMPARE(dlg.m_editLength->text(), QStringLiteral("77"));
    QCOMPARE(dlg.m_editLength->selectedText(), QStringLiteral("77"));
    QStringList labels;
    for (QLabel* pLabel : dlg.findChildren<QLabel*>()) labels << pLabel->text();
    QVERIFY(labels.contains(QStringLiteral("Enter line length 1  -  256 symbols.")));
    QVERIFY(labels.contains(QString(66, QLatin1Char('-'))));
    // Digits only.
    dlg.m_editLength->clear();
    QTest::keyClicks(dlg.m_editLength, QStringLiteral("1a-2"));
    QCOMPARE(dlg.m_editLength->text(), QStringLiteral("12"));
    // Typing stops where the field is full.
    QTest::keyClicks(dlg.m_editLength, QStringLiteral("3456789012345"));
    QVERIFY(dlg.m_editLength->text().size() >= 3);
    QVERIFY(dlg.m_editLength->text().size() < 15);
}

void tst_LineLength::dialogMessages_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");  // empty: accepted
    QTest::addColumn<int>("length");
    QTest::newRow("zero") << QStringLiteral("0") << QStringLiteral("Please enter an integer between 1 and 256.") << 0;
    QTest::newRow("257") << QStringLiteral("257") << QStringLiteral("Please enter an integer between 1 and 256.") << 0;
    QTest::newRow("empty") << QString() << QStringLiteral("Please enter an integer.") << 0;
    QTest::newRow("one") << QStringLiteral("1") << QString() << 1;
    QTest::newRow("256") << QStringLiteral("256") << QString() << 256;
    QTest::newRow("leading zeros") << QStringLiteral("040") << QString() << 40;
}

void tst_LineLength::dialogMessages() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, length);
    CLineLengthDlg dlg(256, kLineLengthCaption);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.m_editLength->setText(text);
    CMessageBoxCapture capture;
    dlg.accept();
    if (message.isEmpty()) {
        QVERIFY(capture.Boxes().empty());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.m_nLength, length);
        return;
    }
    QCOMPARE(capture.Boxes().size(), size_t{1});
    QCOMPARE(capture.Boxes()[0].strText, message);
    QCOMPARE(capture.Boxes()[0].icon, QMessageBox::Warning);
    QVERIFY(dlg.isVisible());  // the dialog stays open on the field
    QCOMPARE(dlg.m_editLength->selectedText(), text);
    QCOMPARE(dlg.m_nLength, 256);
}

void tst_LineLength::leadingInteger_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << QStringLiteral("120") << 120;
    QTest::newRow("trailing text") << QStringLiteral("64 chars") << 64;
    QTest::newRow("blanks and sign") << QStringLiteral("  -5") << -5;
    QTest::newRow("no digits") << QStringLiteral("abc") << 0;
    QTest::newRow("empty") << QString() << 0;
}

void tst_LineLength::leadingInteger() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(LeadingInteger(text), value);
}

QTEST_MAIN(tst_LineLength)
#include "LineLengthTest.moc"
