// What the main window does for the user beyond its commands: edit commands greyed when they
// cannot act, the file dialogs' filters, choosing the printer, and About and help over the editor.

#include "AutoClose.h"
#include "QtFiles.h"
#include "app/StartBeside.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/HebrewHelpDlg.h"
#include "dialogs/HelpDocument.h"
#include "doc/Tesslar2Doc.h"
#include "doc/Tesslar2View.h"
#include "frame/CommandIds.h"
#include "frame/MainFrame.h"
#include "frame/PrintSetupDlg.h"

#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <functional>
#include <memory>

using namespace velmora;
using velmora::test::WriteTestFile;

namespace {

// Runs act once on the first modal window of type T that opens (polling, so it waits as long as
// the window takes to come up), then closes it unless act did.
template <typename T>
void WhenModalOpens(QObject* pOwner, std::function<void(T*)> act) {
    auto* pTimer = new QTimer(pOwner);
    QObject::connect(pTimer, &QTimer::timeout, pOwner, [pTimer, act] {
        auto* pWindow = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!pWindow || !pWindow->isVisible()) return;
        pTimer->stop();
        pTimer->deleteLater();
        act(pWindow);
        if (pWindow->isVisible()) pWindow->reject();
    });
    pTimer->start(20);
}

// Runs act, pressing button nButton (NoButton: the default one) of the question it asks, and
// returns the question.
QString AnswerQuestion(QObject* pOwner, QMessageBox::StandardButton nButton, const std::function<void()>& act) {
    QString strAsked;
    WhenModalOpens<QMessageBox>(pOwner, [&strAsked, nButton](QMessageBox* pBox) {
        strAsked = pBox->text();
        QAbstractButton* pButton = pBox->button(nButton);
        if (nButton == QMessageBox::NoButton) pButton = pBox->defaultButton();
        pButton->click();
    });
    act();
    return strAsked;
}

// "menu/toolbar" enabled states of command nId, as "1/1".
QString EnabledStates(CMainFrame& frame, int nId) {
    QString strToolbar = QStringLiteral("-");
    for (QAction* pAction : frame.m_wndToolBar->actions()) {
        if (pAction->data().toInt() == nId)
            strToolbar = pAction->isEnabled() ? QStringLiteral("1") : QStringLiteral("0");
    }
    return QStringLiteral("%1/%2").arg(frame.CommandAction(nId)->isEnabled() ? 1 : 0).arg(strToolbar);
}

}  // namespace

class tst_Conveniences : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void editCommandsGreyedWhenTheyCannotAct();
    void fileDialogsOfferAllFiles_data();
    void fileDialogsOfferAllFiles();
    void printSetupChoosesThePrinter();
    void helpFileFromWorkingThenInstalledFolder_data();
    void helpFileFromWorkingThenInstalledFolder();
    void startBesideChoosesTheWorkingFolder();
    void aboutAndHelpOpenOverTheEditor_data();
    void aboutAndHelpOpenOverTheEditor();
    void droppedFileOpensAndDroppedTextIsInserted();
    void openStartsInTheFolderLastUsed();
    void savingOverAFileAsksBeforeLosingWhatItHolds();
    void fileSavedByAnotherProgramIsOfferedOnReturn();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CTesslar2Doc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pFrame;
};

void tst_Conveniences::initTestCase() {
    QVERIFY(m_dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath(QStringLiteral("settings")));
}

void tst_Conveniences::init() {
    m_pDoc = std::make_unique<CTesslar2Doc>();
    m_pFrame = std::make_unique<CMainFrame>(m_pDoc.get(), false);
    m_pFrame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pFrame.get()));
}

void tst_Conveniences::cleanup() {
    m_pDoc->SetModifiedFlag(false);
    m_pFrame.reset();
    m_pDoc.reset();
}

void tst_Conveniences::editCommandsGreyedWhenTheyCannotAct() {
    CTesslar2View* pView = m_pFrame->GetActiveView();
    QApplication::clipboard()->clear();
    QTRY_COMPARE(EnabledStates(*m_pFrame, ID_EDIT_PASTE), QStringLiteral("0/0"));
    QCOMPARE(EnabledStates(*m_pFrame, ID_EDIT_UNDO), QStringLiteral("0/-"));
    QCOMPARE(EnabledStates(*m_pFrame, ID_EDIT_CUT), QStringLiteral("0/0"));
    QCOMPARE(EnabledStates(*m_pFrame, ID_EDIT_COPY), QStringLiteral("0/0"));
    QCOMPARE(EnabledStates(*m_pFrame, ID_EDIT_PASTE_SPECIAL), QStringLiteral("0/-"));

    pView->setFocus();
    QTest::keyClicks(pView, QStringLiteral("abc"));
    QCOMPARE(EnabledStates(*m_pFrame, ID_EDIT_UNDO), QStringLiteral("1/-"));
    QCOMPARE(EnabledStates(*m_pFrame, ID_EDIT_COPY), QStringLiteral("0/0"));
    pView->selectAll();
    QCOMPARE(EnabledStates(*m_pFrame, ID_EDIT_CUT), QStringLiteral("1/1"));
    QCOMPARE(EnabledStates(*m_pFrame, ID_EDIT_COPY), QStringLiteral("1/1"));
    m_pFrame->OnCommand(ID_EDIT_COPY);
    QTRY_COMPARE(EnabledStates(*m_pFrame, ID_EDIT_PASTE), QStringLiteral("1/1"));
    QCOMPARE(EnabledStates(*m_pFrame, ID_EDIT_PASTE_SPECIAL), QStringLiteral("1/-"));

    // A new document has nothing to undo and nothing selected.
    m_pDoc->SetModifiedFlag(false);
    m_pFrame->OnCommand(ID_FILE_NEW);
    QCOMPARE(EnabledStates(*m_pFrame, ID_EDIT_UNDO), QStringLiteral("0/-"));
    QCOMPARE(EnabledStates(*m_pFrame, ID_EDIT_CUT), QStringLiteral("0/0"));
    pView->setReadOnly(true);
    m_pFrame->OnUpdateEditCommands();
    QCOMPARE(EnabledStates(*m_pFrame, ID_EDIT_PASTE), QStringLiteral("0/0"));
}

void tst_Conveniences::fileDialogsOfferAllFiles_data() {
    QTest::addColumn<int>("command");
    QTest::newRow("Open") << ID_FILE_OPEN;
    QTest::newRow("Save As") << ID_FILE_SAVE_AS;
}

void tst_Conveniences::fileDialogsOfferAllFiles() {
    QFETCH(int, command);
    QStringList filters;
    QString strSelected;
    WhenModalOpens<QFileDialog>(this, [&](QFileDialog* pDialog) {
        filters = pDialog->nameFilters();
        strSelected = pDialog->selectedNameFilter();
    });
    m_pFrame->OnCommand(command);
    QCOMPARE(filters, (QStringList{QStringLiteral("Rich Text Format (*.rtf)"), QStringLiteral("All Files (*)")}));
    QCOMPARE(strSelected, QStringLiteral("Rich Text Format (*.rtf)"));
}

void tst_Conveniences::printSetupChoosesThePrinter() {
    QPrinter* pPrinter = m_pFrame->GetPrinter();
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    QStringList offered;
    const auto choose = [&](const QString& strEntry) {
        WhenModalOpens<CPrintSetupDlg>(this, [&, strEntry](CPrintSetupDlg* pDialog) {
            offered.clear();
            for (int i = 0; i < pDialog->PrinterBox()->count(); ++i) offered << pDialog->PrinterBox()->itemText(i);
            pDialog->PrinterBox()->setCurrentText(strEntry);
            pDialog->accept();
        });
        m_pFrame->OnCommand(ID_FILE_PRINT_SETUP);
    };
    choose(CPrintSetupDlg::PdfFileEntry());
    QCOMPARE(offered, printers + QStringList{CPrintSetupDlg::PdfFileEntry()});
    QCOMPARE(pPrinter->outputFormat(), QPrinter::PdfFormat);
    if (printers.isEmpty()) return;  // a machine without printers offers the file alone
    choose(printers.constLast());
    QCOMPARE(pPrinter->outputFormat(), QPrinter::NativeFormat);
    QCOMPARE(pPrinter->printerName(), printers.constLast());
}

void tst_Conveniences::helpFileFromWorkingThenInstalledFolder_data() {
    QTest::addColumn<bool>("inWorkDir");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("expected");  // the folder whose copy is read
    QTest::newRow("both: the working folder's") << true << true << QStringLiteral("work");
    QTest::newRow("installed only") << false << true << QStringLiteral("share");
    QTest::newRow("neither: the working folder's, for the error") << false << false << QStringLiteral("work");
}

void tst_Conveniences::helpFileFromWorkingThenInstalledFolder() {
    QFETCH(bool, inWorkDir);
    QFETCH(bool, installed);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    for (const auto& [strFolder, bThere] :
         {std::pair{QStringLiteral("work"), inWorkDir}, std::pair{QStringLiteral("share"), installed}}) {
        QVERIFY(QDir(dir.path()).mkpath(strFolder + QStringLiteral("/Content")));
        if (bThere)
            QVERIFY(
                QFile(dir.filePath(strFolder + QStringLiteral("/Content/Orvandel.rtf"))).open(QIODevice::WriteOnly));
    }
    QCOMPARE(HelpFilePath(dir.filePath(QStringLiteral("work")), dir.filePath(QStringLiteral("share"))),
             QDir::toNativeSeparators(dir.filePath(expected + QStringLiteral("/Content/Orvandel.rtf"))));
}

void tst_Conveniences::startBesideChoosesTheWorkingFolder() {
    const QString strBefore = QDir::currentPath();
    QStringList args{QStringLiteral("velmora"), QStringLiteral("letter.rtf")};
    QVERIFY(ChooseWorkingFolder(args));  // without the option: nothing asked, nothing changed
    QCOMPARE(args.size(), 2);
    QTemporaryDir tool;
    const QString strTool = QFileInfo(tool.path()).canonicalFilePath();
    for (const bool bChoose : {false, true}) {
        args = QStringList{QStringLiteral("velmora"), QString::fromLatin1(kChooseFolderOption),
                           QStringLiteral("letter.rtf")};
        WhenModalOpens<QFileDialog>(this, [&](QFileDialog* pDialog) {
            if (!bChoose) return;
            // The folder shown is the one chosen: typing its name instead would race the dialog's
            // background listing of the parent folder.
            pDialog->setDirectory(strTool);
            static_cast<QDialog*>(pDialog)->accept();
        });
        QCOMPARE(ChooseWorkingFolder(args), bChoose);  // Cancel ends the program
        QCOMPARE(args, (QStringList{QStringLiteral("velmora"), QStringLiteral("letter.rtf")}));
        QCOMPARE(QDir::currentPath(), bChoose ? strTool : strBefore);
    }
    QCOMPARE(qgetenv("PWD"), QFile::encodeName(strTool));
    QDir::setCurrent(strBefore);
}

void tst_Conveniences::aboutAndHelpOpenOverTheEditor_data() {
    QTest::addColumn<bool>("help");
    QTest::newRow("About") << false;
    QTest::newRow("Hebrew help") << true;
}

void tst_Conveniences::aboutAndHelpOpenOverTheEditor() {
    QFETCH(bool, help);
    // The editor in the screen's top-left corner, away from the screen's middle.
    m_pFrame->setGeometry(10, 40, 700, 500);
    QTRY_COMPARE(m_pFrame->geometry().topLeft(), QPoint(10, 40));
    QRect rcDialog;
    WhenModalOpens<QDialog>(this, [&](QDialog* pDialog) { rcDialog = pDialog->frameGeometry(); });
    if (help) {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("Content")));
        WriteTestFile(m_dir.filePath(QStringLiteral("Content/Orvandel.rtf")), "{\\rtf1 help}");
        ShowHebrewHelp(m_dir.path(), m_pFrame.get());
    } else {
        ShowAboutBox(m_pFrame.get());
    }
    QVERIFY(!rcDialog.isEmpty());
    QVERIFY2(m_pFrame->frameGeometry().contains(rcDialog.center()),
             qPrintable(QStringLiteral("%1,%2").arg(rcDialog.center().x()).arg(rcDialog.center().y())));
}

// A document dragged from a file manager opens as File > Open would, on the text or anywhere else
// on the window; dropped text is inserted.
void tst_Conveniences::droppedFileOpensAndDroppedTextIsInserted() {
    auto drop = [](QWidget* pTarget, const QMimeData& data) {
        const QPoint pt = pTarget->rect().center();
        QDragEnterEvent enter(pt, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(pTarget, &enter);
        QDropEvent dropped(QPointF(pt), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(pTarget, &dropped);
        return dropped.isAccepted();
    };
    auto dropFile = [&](QWidget* pTarget, const QString& strName, const QByteArray& rtf) {
        QMimeData files;
        files.setUrls({QUrl(QStringLiteral("https://example.com/page.rtf")),
                       QUrl::fromLocalFile(WriteTestFile(m_dir.filePath(strName), rtf))});
        return drop(pTarget, files);
    };
    QWidget* pViewport = m_pFrame->GetActiveView()->viewport();
    QMimeData text;
    text.setText(QStringLiteral("abc"));
    QVERIFY(drop(pViewport, text));
    QCOMPARE(m_pDoc->GetTextDocument()->toPlainText(), QStringLiteral("abc"));

    m_pDoc->SetModifiedFlag(false);
    QVERIFY(dropFile(pViewport, QStringLiteral("dropped.rtf"), "{\\rtf1\\ansi\\ansicpg1255 \\'f9\\'ec\\'e5\\'ed}"));
    QTRY_COMPARE(m_pDoc->GetTextDocument()->toPlainText(), QStringLiteral("שלום"));
    QCOMPARE(m_pFrame->windowTitle(), QStringLiteral("dropped.rtf - Velmora"));
    QVERIFY(dropFile(m_pFrame->statusBar(), QStringLiteral("second.rtf"), "{\\rtf1 second}"));
    QTRY_COMPARE(m_pDoc->GetTextDocument()->toPlainText(), QStringLiteral("second"));
}

// Open starts where the user was, not in the authoring tool's folder the editor was started in.
void tst_Conveniences::openStartsInTheFolderLastUsed() {
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("letters")));
    const QString strFolder = m_dir.filePath(QStringLiteral("letters"));
    QVERIFY(m_pFrame->OpenDocumentFile(WriteTestFile(strFolder + QStringLiteral("/a.rtf"), "{\\rtf1 a}")));
    auto openStartsIn = [this] {
        QString strStart;
        WhenModalOpens<QFileDialog>(this,
                                    [&](QFileDialog* pDialog) { strStart = pDialog->directory().absolutePath(); });
        m_pFrame->OnCommand(ID_FILE_OPEN);
        return strStart;
    };
    QCOMPARE(openStartsIn(), strFolder);
    // A new document has no folder of its own: the file used last still tells where the user was.
    m_pFrame->OnCommand(ID_FILE_NEW);
    QCOMPARE(openStartsIn(), strFolder);
}

// A file holding what the editor does not keep, or changed by another program since the editor
// read it, is not overwritten unasked: Cancel and Save As leave it whole, Save writes it, and what
// was saved holds nothing more to lose.
void tst_Conveniences::savingOverAFileAsksBeforeLosingWhatItHolds() {
    const QByteArray rtf = "{\\rtf1 a{\\pict\\pngblip 89504e47}{\\footnote n}}";
    const QString strPath = WriteTestFile(m_dir.filePath(QStringLiteral("picture.rtf")), rtf);
    QVERIFY(m_pFrame->OpenDocumentFile(strPath));
    QTest::keyClick(m_pFrame->GetActiveView(), Qt::Key_B);
    auto saveAnswering = [this](QMessageBox::StandardButton nButton) {
        return AnswerQuestion(this, nButton, [this] { m_pFrame->OnCommand(ID_FILE_SAVE); });
    };
    const QString strQuestion =
        QDir::toNativeSeparators(strPath) +
        QStringLiteral(" has pictures and footnotes, which Velmora does not keep. Saving over the file loses them.");
    QCOMPARE(saveAnswering(QMessageBox::Cancel), strQuestion);
    QString strDialog;
    WhenModalOpens<QFileDialog>(this, [&](QFileDialog* pDialog) { strDialog = pDialog->windowTitle(); });
    QCOMPARE(saveAnswering(QMessageBox::NoButton), strQuestion);
    QCOMPARE(strDialog, QStringLiteral("Save As"));
    auto fileBytes = [&strPath] {
        QFile file(strPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QCOMPARE(fileBytes(), rtf);
    QVERIFY(m_pDoc->IsModified());

    QCOMPARE(saveAnswering(QMessageBox::Save), strQuestion);
    QVERIFY(!m_pDoc->IsModified());
    {
        test::CAutoClose closer;
        QTest::keyClick(m_pFrame->GetActiveView(), Qt::Key_C);
        m_pFrame->OnCommand(ID_FILE_SAVE);
        QVERIFY(closer.Closed().isEmpty());
        QVERIFY(!m_pDoc->IsModified());
    }

    // Another program saves the file while the editor has it open.
    const QByteArray other = "{\\rtf1 written by another program}";
    WriteTestFile(strPath, other);
    QTest::keyClick(m_pFrame->GetActiveView(), Qt::Key_D);
    QCOMPARE(saveAnswering(QMessageBox::Cancel),
             QDir::toNativeSeparators(strPath) + QStringLiteral(" has been changed by another program since "
                                                                "Velmora read it. Saving over the file loses "
                                                                "those changes."));
    QCOMPARE(fileBytes(), other);
}

// Coming back to the editor after another program saved the document's file offers to read it
// again: Yes reads it, No keeps what is shown and is not asked again for that version.
void tst_Conveniences::fileSavedByAnotherProgramIsOfferedOnReturn() {
    const QString strPath = WriteTestFile(m_dir.filePath(QStringLiteral("formatted.rtf")), "{\\rtf1 first}");
    QVERIFY(m_pFrame->OpenDocumentFile(strPath));
    auto comeBackAnswering = [this](QMessageBox::StandardButton nButton) {
        return AnswerQuestion(this, nButton, [] { emit qGuiApp->applicationStateChanged(Qt::ApplicationActive); });
    };
    const QString strChanged =
        QDir::toNativeSeparators(strPath) + QStringLiteral(" has been changed by another program.");
    QTest::keyClick(m_pFrame->GetActiveView(), Qt::Key_End);
    WriteTestFile(strPath, "{\\rtf1 second version}");
    QCOMPARE(comeBackAnswering(QMessageBox::Yes), strChanged + QStringLiteral(" Read it again?"));
    QCOMPARE(m_pDoc->GetTextDocument()->toPlainText(), QStringLiteral("second version"));
    QCOMPARE(m_pFrame->GetActiveView()->textCursor().position(), 5);  // where "first" ended

    QTest::keyClick(m_pFrame->GetActiveView(), Qt::Key_X);
    WriteTestFile(strPath, "{\\rtf1 third}");
    QCOMPARE(comeBackAnswering(QMessageBox::No),
             strChanged + QStringLiteral(" Read it again, losing the changes made here?"));
    QVERIFY(m_pDoc->IsModified());
    test::CAutoClose closer;
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    QVERIFY(closer.Closed().isEmpty());
}

QTEST_MAIN(tst_Conveniences)
#include "ConveniencesTest.moc"
