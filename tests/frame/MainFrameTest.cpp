// The main window: menus, accelerators, toolbar, status bar, the view's window and context
// menu, recent files and the modified-document question.

#include "AutoClose.h"
#include "app/PlatformCheck.h"
#include "doc/Tesslar2Doc.h"
#include "doc/Tesslar2View.h"
#include "frame/CommandIds.h"
#include "frame/CommandTable.h"
#include "frame/MainFrame.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>
#include <QWidgetAction>
#include <QtTest>

#include <memory>

using namespace velmora;

namespace {

// "text|id" per item, "-" per separator, one line each; sub-menus as ">title".
QString DescribeMenu(const QMenu* pMenu) {
    QStringList lines;
    for (QAction* pAction : pMenu->actions()) {
        if (pAction->isSeparator()) {
            lines << QStringLiteral("-");
        } else if (pAction->menu()) {
            lines << QStringLiteral(">") + pAction->text();
        } else {
            lines << pAction->text() + QLatin1Char('|') + QString::number(pAction->data().toInt());
        }
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

class tst_MainFrame : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void menus_data();
    void menus();
    void capacitySubMenu();
    void acceleratorsReachTheirCommands_data();
    void acceleratorsReachTheirCommands();
    void escapeDoesNothing();
    void toolbar_data();
    void toolbar();
    void hoverShowsThePrompt();
    void statusBar();
    void viewMenuTogglesTheBars();
    void viewIsRightToLeft();
    void contextMenu();
    void contextMenuSetLineLength();
    void recentFiles();
    void modifiedDocumentQuestion();
    void exitAsksOnce();
    void printsWithHalfInchMargins();
    void printPreviewKeepsItsPageCount();
    void platformKind_data();
    void platformKind();
    void startsWithinItsScreen();

private:
    void MakeFrame(bool bHebrewUi);
    QTemporaryDir m_dir;
    std::unique_ptr<CTesslar2Doc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pFrame;
};

void tst_MainFrame::initTestCase() {
    QVERIFY(m_dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath(QStringLiteral("settings")));
}

void tst_MainFrame::MakeFrame(bool bHebrewUi) {
    m_pFrame.reset();
    m_pDoc = std::make_unique<CTesslar2Doc>();
    m_pFrame = std::make_unique<CMainFrame>(m_pDoc.get(), bHebrewUi);
    m_pFrame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pFrame.get()));
    m_pFrame->activateWindow();
    QApplication::setActiveWindow(m_pFrame.get());
    QTRY_COMPARE(QApplication::activeWindow(), m_pFrame.get());
    m_pFrame->GetActiveView()->setFocus();
}

void tst_MainFrame::init() {
    QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Velmora")).clear();
    MakeFrame(false);
}

void tst_MainFrame::cleanup() {
    if (m_pDoc) m_pDoc->SetModifiedFlag(false);
    m_pFrame.reset();
    m_pDoc.reset();
}

void tst_MainFrame::menus_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("items");
    QTest::newRow("File") << QStringLiteral("&File")
                          << QStringLiteral(
                                 "&New\tCtrl+N|57600\n&Open...\tCtrl+O|57601\n&Save\tCtrl+S|57603\n"
                                 "Save &As...|57604\n-\n&Print...\tCtrl+P|57607\nPrint Pre&view|57609\n"
                                 "P&rint Setup...|57606\n-\nRecent File|57616\n-\nE&xit|57665");
    QTest::newRow("Edit") << QStringLiteral("&Edit")
                          << QStringLiteral(
                                 "&Undo\tCtrl+Z|57643\n-\nCu&t\tCtrl+X|57635\n&Copy\tCtrl+C|57634\n"
                                 "&Paste\tCtrl+V|57637\nPaste &Special...|57639\nSelect A&ll\tCtrl+A|57642\n-\n"
                                 "&Find...\tCtrl+F|57636\nF&ind Next\tF3|57640\nR&eplace\tCtrl+H|57641");
    QTest::newRow("View") << QStringLiteral("&View") << QStringLiteral("Toolbar|59392\nStatus Bar|59393");
    QTest::newRow("Modify") << QStringLiteral("&Modify")
                            << QStringLiteral(
                                   "Set line length\tAlt+L|32803\n>Line length box capasity\n-\n"
                                   "Copy to HTML\tAlt+Shift+C        |32776\nPaste from HTML\tAlt+Shift+P|32771\n"
                                   "Nonstyled text\tAlt+Shift+N|32781\n-\nClear clipboard\tAlt+Shift+D|32778\n"
                                   "Erase screen\tAlt+Shift+T|32779");
    QTest::newRow("Help") << QStringLiteral("&Help")
                          << QStringLiteral("About Velmora\tAlt+A|57664\n-\nHebrew help\tAlt+W|133");
}

void tst_MainFrame::menus() {
    QFETCH(QString, title);
    QFETCH(QString, items);
    const QList<QAction*> top = m_pFrame->menuBar()->actions();
    QCOMPARE(top.size(), 5);
    const QMenu* pMenu = nullptr;
    for (QAction* pAction : top) {
        if (pAction->text() == title) pMenu = pAction->menu();
    }
    QVERIFY2(pMenu, qPrintable(title));
    QCOMPARE(DescribeMenu(pMenu), items);
    if (title == QLatin1String("&File")) QVERIFY(!m_pFrame->CommandAction(ID_FILE_MRU_FILE1)->isEnabled());
}

void tst_MainFrame::capacitySubMenu() {
    QCOMPARE(DescribeMenu(m_pFrame->CapacityMenu()),
             QStringLiteral("2|32829\n3|32830\n4|32831\n5|32832\n6|32833\n7|32834\n8|32835\n9|32836\n10|32837"));
    for (QAction* pAction : m_pFrame->CapacityMenu()->actions())
        QCOMPARE(pAction->isChecked(), pAction->text() == QLatin1String("2"));
}

void tst_MainFrame::acceleratorsReachTheirCommands_data() {
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<int>("id");
    QTest::newRow("Ctrl+N") << QKeySequence(Qt::CTRL | Qt::Key_N) << ID_FILE_NEW;
    QTest::newRow("Ctrl+O") << QKeySequence(Qt::CTRL | Qt::Key_O) << ID_FILE_OPEN;
    QTest::newRow("Ctrl+S") << QKeySequence(Qt::CTRL | Qt::Key_S) << ID_FILE_SAVE;
    QTest::newRow("Ctrl+P") << QKeySequence(Qt::CTRL | Qt::Key_P) << ID_FILE_PRINT;
    QTest::newRow("Ctrl+Z") << QKeySequence(Qt::CTRL | Qt::Key_Z) << ID_EDIT_UNDO;
    QTest::newRow("Alt+Backspace") << QKeySequence(Qt::ALT | Qt::Key_Backspace) << ID_EDIT_UNDO;
    QTest::newRow("Ctrl+X") << QKeySequence(Qt::CTRL | Qt::Key_X) << ID_EDIT_CUT;
    QTest::newRow("Shift+Delete") << QKeySequence(Qt::SHIFT | Qt::Key_Delete) << ID_EDIT_CUT;
    QTest::newRow("Ctrl+C") << QKeySequence(Qt::CTRL | Qt::Key_C) << ID_EDIT_COPY;
    QTest::newRow("Ctrl+Insert") << QKeySequence(Qt::CTRL | Qt::Key_Insert) << ID_EDIT_COPY;
    QTest::newRow("Ctrl+V") << QKeySequence(Qt::CTRL | Qt::Key_V) << ID_EDIT_PASTE;
    QTest::newRow("Shift+Insert") << QKeySequence(Qt::SHIFT | Qt::Key_Insert) << ID_EDIT_PASTE;
    QTest::newRow("Ctrl+A") << QKeySequence(Qt::CTRL | Qt::Key_A) << ID_EDIT_SELECT_ALL;
    QTest::newRow("Ctrl+F") << QKeySequence(Qt::CTRL | Qt::Key_F) << ID_EDIT_FIND;
    QTest::newRow("F3") << QKeySequence(Qt::Key_F3) << ID_EDIT_REPEAT;
    QTest::newRow("Ctrl+H") << QKeySequence(Qt::CTRL | Qt::Key_H) << ID_EDIT_REPLACE;
    QTest::newRow("Alt+Enter") << QKeySequence(Qt::ALT | Qt::Key_Return) << ID_OLE_EDIT_PROPERTIES;
    QTest::newRow("F6") << QKeySequence(Qt::Key_F6) << ID_NEXT_PANE;
    QTest::newRow("Shift+F6") << QKeySequence(Qt::SHIFT | Qt::Key_F6) << ID_PREV_PANE;
    QTest::newRow("Escape") << QKeySequence(Qt::Key_Escape) << ID_CANCEL_EDIT;
    QTest::newRow("Alt+A") << QKeySequence(Qt::ALT | Qt::Key_A) << ID_APP_ABOUT;
    QTest::newRow("Alt+W") << QKeySequence(Qt::ALT | Qt::Key_W) << ID_HEBREW_HELP;
    QTest::newRow("Alt+L") << QKeySequence(Qt::ALT | Qt::Key_L) << ID_SET_LINE_LENGTH;
    QTest::newRow("Alt+S") << QKeySequence(Qt::ALT | Qt::Key_S) << ID_CAPACITY_FIRST;
    QTest::newRow("Alt+Shift+C") << QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_C) << ID_COPY_TO_HTML;
    QTest::newRow("Alt+Shift+P") << QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_P) << ID_PASTE_FROM_HTML;
    QTest::newRow("Alt+Shift+N") << QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_N) << ID_NONSTYLED_TEXT;
    QTest::newRow("Alt+Shift+D") << QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_D) << ID_CLEAR_CLIPBOARD;
    QTest::newRow("Alt+Shift+T") << QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_T) << ID_ERASE_SCREEN;
}

void tst_MainFrame::acceleratorsReachTheirCommands() {
    QFETCH(QKeySequence, keys);
    QFETCH(int, id);
    test::CAutoClose closer;  // Open, Print, About... open windows that nobody answers here
    QSignalSpy spy(m_pFrame.get(), &CMainFrame::CommandRouted);
    QTest::keySequence(m_pFrame->GetActiveView(), keys);
    QTRY_VERIFY(!spy.isEmpty());
    QCOMPARE(spy.first().at(0).toInt(), id);
}

void tst_MainFrame::escapeDoesNothing() {
    QTextCursor(m_pDoc->GetTextDocument()).insertText(QStringLiteral("טקסט"));
    m_pFrame->GetActiveView()->selectAll();
    QTest::keyClick(m_pFrame->GetActiveView(), Qt::Key_Escape);
    QCOMPARE(m_pDoc->GetTextDocument()->toPlainText(), QStringLiteral("טקסט"));
    QVERIFY(m_pFrame->GetActiveView()->textCursor().hasSelection());
    QVERIFY(m_pFrame->isVisible());
}

// The toolbar's slots in order, '|' between them; "-" is a separator and "box" the line-length box.
static QStringList ToolbarSlots(const char* pszSlots) { return QString::fromUtf8(pszSlots).split(QLatin1Char('|')); }

void tst_MainFrame::toolbar_data() {
    QTest::addColumn<bool>("hebrewUi");
    QTest::addColumn<QStringList>("tooltips");
    QTest::addColumn<QStringList>("prompts");
    // The file, edit and print buttons read the same in both interfaces.
    const char* const kCommonTooltips = "New|Open|Save|-|Cut|Copy|Paste|-|Print|About Alt+A|-";
    const char* const kCommonPrompts =
        "Create a new document|Open an existing document|Save the active document|-|"
        "Cut the selection and put it on the Clipboard|Copy the selection and put it on the Clipboard|"
        "Insert Clipboard contents|-|Print the active document|"
        "Display program information, version number and copyright Alt+A|-";
    QTest::newRow("English") << false
                             << ToolbarSlots(kCommonTooltips) +
                                    ToolbarSlots(
                                        "Copy to Internet  Alt+Shift+C |Paste from Internet Alt+Shift+P|"
                                        "Copy non-styled text Alt+Shift+N|-|Set line length Alt+L|box|-|"
                                        "Clear Clipboard Alt+Shift+D|Eraze Text Alt+Shift+T|-|Hebrew Help Alt+W")
                             << ToolbarSlots(kCommonPrompts) +
                                    ToolbarSlots(
                                        "Copy to Internet  Alt+Shift+C|Paste from Internet Alt+Shift+P|"
                                        "Copy non-styled text Alt+Shift+N|-|Set line length Alt+L|box|-|"
                                        "Clear clipboard content Alt+Shift+D|Eraze all text from the screen "
                                        "Alt+Shift+T|-|Hebrew Help Alt+W");
    QTest::newRow("Hebrew user interface")
        << true
        << ToolbarSlots(kCommonTooltips) +
               ToolbarSlots(
                   "Copy hebrew for Internet|Paste hebrew from Internet|Copy non-styled Hebrew|-|"
                   "Set line length|box|-|Clear Clipboard|Eraze Text|-|Hebrew Help")
        << ToolbarSlots(kCommonPrompts) +
               ToolbarSlots(
                   "Copy hebrew for Internet|Paste hebrew from Internet|Copy non-styled Hebrew|-|"
                   "Set line length|box|-|Clear clipboard content|Eraze all text from the screen|-|"
                   "Click it to get hebrew help");
}

void tst_MainFrame::toolbar() {
    QFETCH(bool, hebrewUi);
    QFETCH(QStringList, tooltips);
    QFETCH(QStringList, prompts);
    MakeFrame(hebrewUi);
    const QList<QAction*> entries = m_pFrame->m_wndToolBar->actions();
    QCOMPARE(entries.size(), 22);
    for (int i = 0; i < entries.size(); ++i) {
        QAction* pEntry = entries[i];
        if (tooltips[i] == QLatin1String("-")) {
            QVERIFY2(pEntry->isSeparator(), qPrintable(QString::number(i)));
        } else if (tooltips[i] == QLatin1String("box")) {
            QCOMPARE(i, 16);
            QCOMPARE(pEntry->data().toInt(), ID_LINE_LENGTH_BOX);
            auto* pHolder = qobject_cast<QWidgetAction*>(pEntry);
            QVERIFY(pHolder);
            QCOMPARE(m_pFrame->m_wndToolBar->widgetForAction(pEntry), m_pFrame->m_wndLineLengthBox);
        } else {
            QCOMPARE(pEntry->toolTip(), tooltips[i]);
            QCOMPARE(pEntry->statusTip(), prompts[i]);
            QVERIFY(!pEntry->icon().isNull());
        }
    }
    QComboBox* pBox = m_pFrame->m_wndLineLengthBox;
    QCOMPARE(pBox->width(), 49);
    QCOMPARE(pBox->count(), 1);
    QCOMPARE(pBox->currentText(), QStringLiteral("256"));
    QVERIFY(!pBox->isEditable());
    // The menu items carry the same prompts.
    QCOMPARE(m_pFrame->CommandAction(ID_COPY_TO_HTML)->statusTip(), prompts[11]);
    QCOMPARE(m_pFrame->CommandAction(ID_CAPACITY_FIRST + 8)->statusTip(),
             QStringLiteral("Remember last ten line length settings in menu dropdown box"));
}

void tst_MainFrame::hoverShowsThePrompt() {
    QAction* pCopyToHtml = m_pFrame->m_wndToolBar->actions().at(11);
    QVERIFY(pCopyToHtml->showStatusText(m_pFrame->m_wndToolBar));
    QCOMPARE(m_pFrame->statusBar()->currentMessage(), QStringLiteral("Copy to Internet  Alt+Shift+C"));
    // Leaving the button clears the prompt: the pane shows "Ready" again.
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(m_pFrame->m_wndToolBar, &leave);
    QCOMPARE(m_pFrame->statusBar()->currentMessage(), QStringLiteral("Ready"));
}

void tst_MainFrame::statusBar() {
    QCOMPARE(m_pFrame->statusBar()->currentMessage(), QStringLiteral("Ready"));
    QCOMPARE(m_pFrame->Indicator(0)->objectName(), QStringLiteral("CAP"));
    QCOMPARE(m_pFrame->Indicator(1)->objectName(), QStringLiteral("NUM"));
    QCOMPARE(m_pFrame->Indicator(2)->objectName(), QStringLiteral("SCRL"));
    // Left to right in that order after the message pane.
    QVERIFY(m_pFrame->Indicator(0)->x() < m_pFrame->Indicator(1)->x());
    QVERIFY(m_pFrame->Indicator(1)->x() < m_pFrame->Indicator(2)->x());
    m_pFrame->SetMessageText(QStringLiteral("Converting text to HTML format  37%"));
    QCOMPARE(m_pFrame->statusBar()->currentMessage(), QStringLiteral("Converting text to HTML format  37%"));
    m_pFrame->SetMessageText(QString());
    QCOMPARE(m_pFrame->statusBar()->currentMessage(), QStringLiteral("Ready"));
}

void tst_MainFrame::viewMenuTogglesTheBars() {
    m_pFrame->OnCommand(ID_VIEW_TOOLBAR);
    QVERIFY(!m_pFrame->m_wndToolBar->isVisible());
    QVERIFY(!m_pFrame->CommandAction(ID_VIEW_TOOLBAR)->isChecked());
    m_pFrame->OnCommand(ID_VIEW_TOOLBAR);
    QVERIFY(m_pFrame->m_wndToolBar->isVisible());
    QVERIFY(m_pFrame->CommandAction(ID_VIEW_TOOLBAR)->isChecked());
    m_pFrame->OnCommand(ID_VIEW_STATUS_BAR);
    QVERIFY(!m_pFrame->statusBar()->isVisible());
    QVERIFY(!m_pFrame->CommandAction(ID_VIEW_STATUS_BAR)->isChecked());
    m_pFrame->OnCommand(ID_VIEW_STATUS_BAR);
    QVERIFY(m_pFrame->statusBar()->isVisible());
    // The toolbar docks on every side.
    QCOMPARE(m_pFrame->m_wndToolBar->allowedAreas(), Qt::AllToolBarAreas);
    m_pFrame->addToolBar(Qt::LeftToolBarArea, m_pFrame->m_wndToolBar);
    QCOMPARE(m_pFrame->toolBarArea(m_pFrame->m_wndToolBar), Qt::LeftToolBarArea);
}

void tst_MainFrame::viewIsRightToLeft() {
    CTesslar2View* pView = m_pFrame->GetActiveView();
    QCOMPARE(pView->layoutDirection(), Qt::RightToLeft);
    const QTextBlock block = m_pDoc->GetTextDocument()->begin();
    QCOMPARE(block.textDirection(), Qt::RightToLeft);
    QVERIFY(block.blockFormat().alignment() & Qt::AlignRight);
    QVERIFY(block.blockFormat().alignment() & Qt::AlignAbsolute);
    // Typed paragraphs keep both.
    QTest::keyClick(pView, Qt::Key_A);
    QTest::keyClick(pView, Qt::Key_Return);
    QTest::keyClick(pView, Qt::Key_B);
    const QTextBlock second = m_pDoc->GetTextDocument()->lastBlock();
    QCOMPARE(m_pDoc->GetTextDocument()->blockCount(), 2);
    QCOMPARE(second.textDirection(), Qt::RightToLeft);
    QVERIFY(second.blockFormat().alignment() & Qt::AlignRight);
    // The vertical scroll bar is on the left.
    QString lines;
    for (int i = 0; i < 200; ++i) lines += QStringLiteral("שורה %1\n").arg(i);
    pView->insertPlainText(lines);
    QTRY_VERIFY(pView->verticalScrollBar()->isVisible());
    const int nBarX = pView->verticalScrollBar()->mapTo(m_pFrame.get(), QPoint(0, 0)).x();
    const int nTextX = pView->viewport()->mapTo(m_pFrame.get(), QPoint(0, 0)).x();
    QVERIFY2(nBarX < nTextX, qPrintable(QStringLiteral("%1 %2").arg(nBarX).arg(nTextX)));
}

void tst_MainFrame::contextMenu() {
    CTesslar2View* pView = m_pFrame->GetActiveView();
    QStringList seen;
    QList<QPointer<QMenu>> menus;
    for (int nTime = 0; nTime < 2; ++nTime) {
        QTimer::singleShot(100, this, [&] {
            auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!pMenu) return;
            menus << pMenu;
            QStringList items;
            for (QAction* pAction : pMenu->actions()) {
                items << (pAction->isSeparator() ? QStringLiteral("-")
                                                 : QStringLiteral("%1|%2|%3")
                                                       .arg(pAction->text())
                                                       .arg(pAction->data().toInt())
                                                       .arg(pAction->isEnabled() ? 1 : 0));
            }
            seen << pMenu->title() + QLatin1Char('\n') + items.join(QLatin1Char('\n'));
            pMenu->close();
        });
        const QPoint at(40, 20);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, pView->viewport()->mapToGlobal(at));
        QApplication::sendEvent(pView->viewport(), &event);
    }
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[0], QStringLiteral("&Modify\nMODIFY TEXT|32793|0\n-\nSet line length\tAlt+L|32803|1\n-\n"
                                     "Copy to HTML\tAlt+Shift+C        |32776|1\nPaste from HTML\tAlt+Shift+P|32771|1\n"
                                     "Nonstyled text\tAlt+Shift+N|32781|1\n-\nClear clipboard\tAlt+Shift+D|32778|1\n"
                                     "Erase screen\tAlt+Shift+T|32779|1"));
    QCOMPARE(seen[1], seen[0]);
    // Each right click loads the menu afresh and releases it afterwards.
    QCOMPARE(menus.size(), 2);
    QVERIFY(menus[0].isNull());
    QVERIFY(menus[1].isNull());
}

void tst_MainFrame::contextMenuSetLineLength() {
    CTesslar2View* pView = m_pFrame->GetActiveView();
    test::CAutoClose closer(50);
    QSignalSpy spy(m_pFrame.get(), &CMainFrame::CommandRouted);
    QTimer::singleShot(30, this, [] {
        auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!pMenu) return;
        for (QAction* pAction : pMenu->actions()) {
            if (pAction->data().toInt() == ID_SET_LINE_LENGTH) pMenu->setActiveAction(pAction);
        }
        QTest::keyClick(pMenu, Qt::Key_Return);
    });
    const QPoint at(40, 20);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, pView->viewport()->mapToGlobal(at));
    QApplication::sendEvent(pView->viewport(), &event);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.first().at(0).toInt(), ID_SET_LINE_LENGTH);
    QVERIFY2(closer.Closed().contains(QStringLiteral("Set line length for text convertion")),
             qPrintable(closer.Closed().join(QLatin1Char(','))));
}

void tst_MainFrame::recentFiles() {
    QStringList paths;
    for (int i = 1; i <= 5; ++i) {
        const QString strPath = m_dir.filePath(QStringLiteral("doc%1.rtf").arg(i));
        CTesslar2Doc writer;
        QTextCursor(writer.GetTextDocument()).insertText(QStringLiteral("מסמך %1").arg(i));
        QString strError;
        QVERIFY2(writer.OnSaveDocument(strPath, strError), qPrintable(strError));
        QVERIFY(m_pFrame->OpenDocumentFile(strPath));
        paths << QFileInfo(strPath).absoluteFilePath();
    }
    QCOMPARE(m_pDoc->GetTextDocument()->toPlainText(), QStringLiteral("מסמך 5"));
    QCOMPARE(m_pFrame->windowTitle(), QStringLiteral("doc5.rtf - Velmora"));
    QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Velmora"));
    QCOMPARE(settings.value(QStringLiteral("Recent File List/File1")).toString(), paths[4]);
    QCOMPARE(settings.value(QStringLiteral("Recent File List/File4")).toString(), paths[1]);
    QVERIFY(!settings.contains(QStringLiteral("Recent File List/File5")));
    for (int i = 0; i < 4; ++i) {
        QAction* pAction = m_pFrame->CommandAction(ID_FILE_MRU_FILE1 + i);
        QVERIFY(pAction);
        QCOMPARE(pAction->text(), QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(paths[4 - i])));
    }
    // Choosing an entry opens it; a new window reads the list back.
    m_pFrame->OnCommand(ID_FILE_MRU_FILE1 + 3);
    QCOMPARE(m_pDoc->GetTextDocument()->toPlainText(), QStringLiteral("מסמך 2"));
    MakeFrame(false);
    QCOMPARE(m_pFrame->CommandAction(ID_FILE_MRU_FILE1)->text(),
             QStringLiteral("&1 %1").arg(QDir::toNativeSeparators(paths[1])));
}

void tst_MainFrame::modifiedDocumentQuestion() {
    QTest::keyClick(m_pFrame->GetActiveView(), Qt::Key_A);
    QVERIFY(m_pDoc->IsModified());
    {
        test::CAutoClose closer;  // answers Cancel
        m_pFrame->OnCommand(ID_FILE_NEW);
        QCOMPARE(closer.Closed(), QStringList{QStringLiteral("Velmora|Save changes to Document?")});
    }
    QCOMPARE(m_pDoc->GetTextDocument()->toPlainText(), QStringLiteral("a"));
    {
        test::CAutoClose closer;
        QVERIFY(!m_pFrame->close());  // Cancel keeps the window open
        QVERIFY(m_pFrame->isVisible());
    }
}

void tst_MainFrame::exitAsksOnce() {
    QTest::keyClick(m_pFrame->GetActiveView(), Qt::Key_A);
    int nAsked = 0;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++nAsked;
            pBox->button(QMessageBox::No)->click();
        }
    });
    answer.start(20);
    m_pFrame->OnCommand(ID_APP_EXIT);
    QVERIFY(!m_pFrame->isVisible());
    m_pFrame.reset();  // destroying the closed window asks nothing more
    QTest::qWait(100);
    QCOMPARE(nAsked, 1);
}

void tst_MainFrame::printsWithHalfInchMargins() {
    QTextCursor(m_pDoc->GetTextDocument()).insertText(QStringLiteral("הדפסה"));
    QPrinter* pPrinter = m_pFrame->GetPrinter();
    const QMarginsF margins = pPrinter->pageLayout().margins(QPageLayout::Inch);
    QCOMPARE(margins, QMarginsF(0.5, 0.5, 0.5, 0.5));
    const QString strPdf = m_dir.filePath(QStringLiteral("printed.pdf"));
    pPrinter->setOutputFormat(QPrinter::PdfFormat);
    pPrinter->setOutputFileName(strPdf);
    m_pFrame->OnCommand(ID_FILE_PRINT_DIRECT);
    QVERIFY(QFileInfo(strPdf).size() > 500);
}

void tst_MainFrame::printPreviewKeepsItsPageCount() {
    QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Velmora"));
    settings.setValue(QStringLiteral("Settings/PreviewPages"), 2);
    settings.sync();
    QStringList seen;
    QTimer::singleShot(200, this, [&] {
        QWidget* pModal = QApplication::activeModalWidget();
        QVERIFY(pModal);
        auto* pPreview = pModal->findChild<QPrintPreviewWidget*>();
        QVERIFY(pPreview);
        seen << QString::number(pPreview->viewMode());
        pPreview->setViewMode(QPrintPreviewWidget::SinglePageView);
        pModal->close();
    });
    m_pFrame->OnCommand(ID_FILE_PRINT_PREVIEW);
    QCOMPARE(seen, QStringList{QString::number(QPrintPreviewWidget::FacingPagesView)});
    settings.sync();
    QCOMPARE(settings.value(QStringLiteral("Settings/PreviewPages")).toInt(), 1);
}

void tst_MainFrame::platformKind_data() {
    QTest::addColumn<int>("platformId");
    QTest::addColumn<int>("kind");
    QTest::newRow("win32s") << 0 << 0;
    QTest::newRow("windows 95/98") << 1 << 1;
    QTest::newRow("nt") << 2 << 2;
    QTest::newRow("ce") << 3 << 0;
}

void tst_MainFrame::platformKind() {
    QFETCH(int, platformId);
    QFETCH(int, kind);
    QCOMPARE(int(PlatformKindFromId(platformId)), kind);
    QCOMPARE(int(PlatformKindFromId(ReportedPlatformId())), 2);  // the system it runs on is supported
}

// Also run on a screen scaled to 640 x 512 points (tests/frame/CMakeLists.txt).
void tst_MainFrame::startsWithinItsScreen() {
    const QRect room = m_pFrame->screen()->availableGeometry();
    QVERIFY2(room.contains(m_pFrame->geometry()), qPrintable(QStringLiteral("%1x%2 on %3x%4")
                                                                 .arg(m_pFrame->width())
                                                                 .arg(m_pFrame->height())
                                                                 .arg(room.width())
                                                                 .arg(room.height())));
}

QTEST_MAIN(tst_MainFrame)
#include "MainFrameTest.moc"
