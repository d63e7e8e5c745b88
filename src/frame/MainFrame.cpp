#include "MainFrame.h"

#include "AcceleratorTable.h"
#include "CommandIds.h"
#include "CommandTexts.h"
#include "KeyLockState.h"
#include "LineLength.h"
#include "LineLengthBox.h"
#include "PlatformCheck.h"
#include "PrintSetupDlg.h"
#include "doc/Tesslar2Doc.h"
#include "doc/Tesslar2View.h"
#include "dialogs/MessageBox.h"
#include "dialogs/Pictures.h"

#include <QAbstractEventDispatcher>
#include <QAbstractItemView>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <array>
#include <cstdlib>

namespace velmora {

namespace {

// RTF first, so that it is the filter the dialogs start with.
constexpr const char* kFileFilters = "Rich Text Format (*.rtf);;All Files (*)";
constexpr int kBoxWidth = 49;         // pixels of the toolbar entry that holds the box
constexpr int kBoxDropHeight = 200;   // pixels the box's list may drop down
constexpr int kLockPollMs = 250;

// Toolbar 128 in entry order; 0 is a separator.
constexpr std::array kToolbarEntries = {
    ID_FILE_NEW,      ID_FILE_OPEN,       ID_FILE_SAVE,      0, ID_EDIT_CUT,        ID_EDIT_COPY,
    ID_EDIT_PASTE,    0,                  ID_FILE_PRINT,     ID_APP_ABOUT,          0,
    ID_COPY_TO_HTML,  ID_PASTE_FROM_HTML, ID_NONSTYLED_TEXT, 0, ID_SET_LINE_LENGTH, ID_LINE_LENGTH_BOX,
    0,                ID_CLEAR_CLIPBOARD, ID_ERASE_SCREEN,   0, ID_HEBREW_HELP,
};

QSettings AppSettings() {
    return QSettings(QStringLiteral("Local AppWizard-Generated Applications"), kMessageBoxTitle);
}

}  // namespace

CMainFrame::CMainFrame(CTesslar2Doc* pDoc, bool bHebrewUi, QWidget* pParent)
    : QMainWindow(pParent), m_pDoc(pDoc), m_pPrinter(new QPrinter(QPrinter::HighResolution)),
      m_bHebrewUi(bHebrewUi) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(ApplicationIcon());
    m_pView = new CTesslar2View(pDoc, this);
    m_pView->SetPrinter(m_pPrinter);
    setCentralWidget(m_pView);

    SetupFileActions();
    SetupEditActions();
    SetupViewActions();
    SetupModifyActions();
    SetupHelpActions();
    SetupAccelerators();
    SetupToolBar();
    DetectPlatform();
    SetupStatusBar();

    SetupEditCommandUpdates();
    setDockOptions(dockOptions() | QMainWindow::AllowNestedDocks);
    connect(m_pDoc, &CTesslar2Doc::TitleChanged, this, &CMainFrame::UpdateTitle);
    UpdateTitle();

    QSettings settings = AppSettings();
    m_recentFiles.ReadList(settings);
    RebuildRecentFiles();

    // The box's selection becomes the line length whenever the interface falls idle.
    if (auto* pDispatcher = QAbstractEventDispatcher::instance()) {
        m_idleConnection = connect(pDispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            OnUpdateLineLengthBox();
            OnUpdateCapacity();
        });
    }
    resize(760, 540);
}

CMainFrame::~CMainFrame() {
    // Qt closes the window once more while destroying it: nothing is asked then.
    m_bDestroying = true;
    disconnect(m_idleConnection);
    delete m_pPrinter;
}

void CMainFrame::DetectPlatform() {
    g_nPlatformKind = PlatformKindFromId(ReportedPlatformId());
    if (g_nPlatformKind == 0) {
        ShowMessageBox(this, QStringLiteral("Velmora dosen't work under this OS !"), QMessageBox::NoIcon);
        std::exit(0);
    }
}

// ---------------------------------------------------------------- menus

QAction* CMainFrame::AddCommand(QMenu* pMenu, int nId, const char* pszText) {
    auto* pAction = new QAction(QString::fromLatin1(pszText), this);
    pAction->setData(nId);
    pAction->setStatusTip(CommandPrompt(nId, m_bHebrewUi));
    pAction->setShortcutContext(Qt::WidgetShortcut);
    pMenu->addAction(pAction);
    m_actions.emplace(nId, pAction);
    connect(pAction, &QAction::triggered, this, [this, nId] { OnCommand(nId); });
    return pAction;
}

QAction* CMainFrame::CommandAction(int nId) const {
    const auto it = m_actions.find(nId);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::SetupFileActions() {
    m_pFileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    AddCommand(m_pFileMenu, ID_FILE_NEW, "&New\tCtrl+N");
    AddCommand(m_pFileMenu, ID_FILE_OPEN, "&Open...\tCtrl+O");
    AddCommand(m_pFileMenu, ID_FILE_SAVE, "&Save\tCtrl+S");
    AddCommand(m_pFileMenu, ID_FILE_SAVE_AS, "Save &As...");
    m_pFileMenu->addSeparator();
    AddCommand(m_pFileMenu, ID_FILE_PRINT, "&Print...\tCtrl+P");
    AddCommand(m_pFileMenu, ID_FILE_PRINT_PREVIEW, "Print Pre&view");
    AddCommand(m_pFileMenu, ID_FILE_PRINT_SETUP, "P&rint Setup...");
    m_pFileMenu->addSeparator();
    m_pRecentPlaceholder = AddCommand(m_pFileMenu, ID_FILE_MRU_FILE1, "Recent File");
    m_pRecentPlaceholder->setEnabled(false);
    m_pRecentEnd = m_pFileMenu->addSeparator();
    AddCommand(m_pFileMenu, ID_APP_EXIT, "E&xit");
}

void CMainFrame::SetupEditActions() {
    QMenu* pMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    AddCommand(pMenu, ID_EDIT_UNDO, "&Undo\tCtrl+Z");
    pMenu->addSeparator();
    AddCommand(pMenu, ID_EDIT_CUT, "Cu&t\tCtrl+X");
    AddCommand(pMenu, ID_EDIT_COPY, "&Copy\tCtrl+C");
    AddCommand(pMenu, ID_EDIT_PASTE, "&Paste\tCtrl+V");
    AddCommand(pMenu, ID_EDIT_PASTE_SPECIAL, "Paste &Special...");
    AddCommand(pMenu, ID_EDIT_SELECT_ALL, "Select A&ll\tCtrl+A");
    pMenu->addSeparator();
    AddCommand(pMenu, ID_EDIT_FIND, "&Find...\tCtrl+F");
    AddCommand(pMenu, ID_EDIT_REPEAT, "F&ind Next\tF3");
    AddCommand(pMenu, ID_EDIT_REPLACE, "R&eplace\tCtrl+H");
}

void CMainFrame::SetupViewActions() {
    QMenu* pMenu = menuBar()->addMenu(QStringLiteral("&View"));
    AddCommand(pMenu, ID_VIEW_TOOLBAR, "Toolbar")->setCheckable(true);
    AddCommand(pMenu, ID_VIEW_STATUS_BAR, "Status Bar")->setCheckable(true);
}

void CMainFrame::SetupModifyActions() {
    QMenu* pMenu = menuBar()->addMenu(QStringLiteral("&Modify"));
    AddCommand(pMenu, ID_SET_LINE_LENGTH, "Set line length\tAlt+L");
    m_pCapacityMenu = pMenu->addMenu(QStringLiteral("Line length box capasity"));
    auto* pGroup = new QActionGroup(this);
    static constexpr std::array kDigits = {"2", "3", "4", "5", "6", "7", "8", "9", "10"};
    for (int nId = ID_CAPACITY_FIRST; nId <= ID_CAPACITY_LAST; ++nId) {
        QAction* pAction = AddCommand(m_pCapacityMenu, nId, kDigits[static_cast<size_t>(nId - ID_CAPACITY_FIRST)]);
        pAction->setCheckable(true);
        pAction->setActionGroup(pGroup);
    }
    pMenu->addSeparator();
    AddCommand(pMenu, ID_COPY_TO_HTML, "Copy to HTML\tAlt+Shift+C        ");
    AddCommand(pMenu, ID_PASTE_FROM_HTML, "Paste from HTML\tAlt+Shift+P");
    AddCommand(pMenu, ID_NONSTYLED_TEXT, "Nonstyled text\tAlt+Shift+N");
    pMenu->addSeparator();
    AddCommand(pMenu, ID_CLEAR_CLIPBOARD, "Clear clipboard\tAlt+Shift+D");
    AddCommand(pMenu, ID_ERASE_SCREEN, "Erase screen\tAlt+Shift+T");
    OnUpdateCapacity();
}

void CMainFrame::SetupHelpActions() {
    QMenu* pMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    AddCommand(pMenu, ID_APP_ABOUT, "About Velmora\tAlt+A");
    pMenu->addSeparator();
    AddCommand(pMenu, ID_HEBREW_HELP, "Hebrew help\tAlt+W");
}

void CMainFrame::SetupAccelerators() {
    for (const Accelerator& acc : MainAccelerators()) {
        auto* pShortcut = new QShortcut(acc.key, this);
        pShortcut->setContext(Qt::WindowShortcut);
        const int nId = acc.nId;
        connect(pShortcut, &QShortcut::activated, this, [this, nId] { OnCommand(nId); });
    }
}

void CMainFrame::SetupEditCommandUpdates() {
    // Undo, Cut, Copy and Paste follow what the editor can do, in the menu and on the toolbar.
    connect(m_pView, &QTextEdit::undoAvailable, this, &CMainFrame::OnUpdateEditCommands);
    connect(m_pView, &QTextEdit::copyAvailable, this, &CMainFrame::OnUpdateEditCommands);
    connect(m_pView, &QTextEdit::selectionChanged, this, &CMainFrame::OnUpdateEditCommands);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::OnUpdateEditCommands);
    OnUpdateEditCommands();
}

void CMainFrame::OnUpdateEditCommands() {
    const bool bWritable = !m_pView->isReadOnly();
    const bool bSelection = m_pView->textCursor().hasSelection();
    const std::map<int, bool> enabled = {
        {ID_EDIT_UNDO, bWritable && m_pView->document()->isUndoAvailable()},
        {ID_EDIT_CUT, bWritable && bSelection},
        {ID_EDIT_COPY, bSelection},
        {ID_EDIT_PASTE, bWritable && m_pView->canPaste()},
        {ID_EDIT_PASTE_SPECIAL, bWritable && m_pView->canPaste()},
    };
    for (QAction* pAction : findChildren<QAction*>()) {
        const auto it = enabled.find(pAction->data().toInt());
        if (it != enabled.end()) pAction->setEnabled(it->second);
    }
}

// ---------------------------------------------------------------- toolbar and status bar

void CMainFrame::SetupToolBar() {
    m_wndToolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_wndToolBar->setObjectName(QStringLiteral("59392"));
    m_wndToolBar->setIconSize(QSize(16, 16));
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_wndToolBar->setMovable(true);
    m_wndToolBar->setFloatable(true);
    for (const int nId : kToolbarEntries) {
        if (nId == 0) {
            m_wndToolBar->addSeparator();
            continue;
        }
        if (nId == ID_LINE_LENGTH_BOX) {
            SetupLineLengthBox();
            continue;
        }
        auto* pButton = new QAction(ToolbarIcon(nId), CommandTooltip(nId, m_bHebrewUi), this);
        pButton->setData(nId);
        pButton->setToolTip(CommandTooltip(nId, m_bHebrewUi));
        pButton->setStatusTip(CommandPrompt(nId, m_bHebrewUi));
        connect(pButton, &QAction::triggered, this, [this, nId] { OnCommand(nId); });
        m_wndToolBar->addAction(pButton);
    }
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    connect(m_wndToolBar, &QToolBar::visibilityChanged, this,
            [this](bool bVisible) { CommandAction(ID_VIEW_TOOLBAR)->setChecked(bVisible); });
    CommandAction(ID_VIEW_TOOLBAR)->setChecked(true);
}

void CMainFrame::SetupLineLengthBox() {
    m_wndLineLengthBox = new QComboBox(m_wndToolBar);
    m_wndLineLengthBox->setObjectName(QStringLiteral("32805"));
    m_wndLineLengthBox->setEditable(false);
    m_wndLineLengthBox->setFixedWidth(kBoxWidth);
    m_wndLineLengthBox->setFocusPolicy(Qt::StrongFocus);
    // A plain list below the box, never taller than the drop-down height.
    m_wndLineLengthBox->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    const int nRow = std::max(1, m_wndLineLengthBox->fontMetrics().height() + 4);
    m_wndLineLengthBox->setMaxVisibleItems(std::max(1, kBoxDropHeight / nRow));
    m_wndLineLengthBox->view()->setMaximumHeight(kBoxDropHeight);
    m_wndLineLengthBox->addItem(QString::number(g_nLineLength));
    m_wndLineLengthBox->setCurrentIndex(0);
    QAction* pHolder = m_wndToolBar->addWidget(m_wndLineLengthBox);
    pHolder->setData(ID_LINE_LENGTH_BOX);
}

void CMainFrame::SetupStatusBar() {
    m_wndStatusBar = statusBar();
    m_wndStatusBar->setObjectName(QStringLiteral("59393"));
    static constexpr std::array kNames = {"CAP", "NUM", "SCRL"};
    for (size_t i = 0; i < kNames.size(); ++i) {
        auto* pLabel = new QLabel(m_wndStatusBar);
        pLabel->setObjectName(QString::fromLatin1(kNames[i]));
        pLabel->setAlignment(Qt::AlignCenter);
        pLabel->setMinimumWidth(pLabel->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        pLabel->setFrameShape(QFrame::Panel);
        pLabel->setFrameShadow(QFrame::Sunken);
        m_wndStatusBar->addPermanentWidget(pLabel);
        m_indicators[i] = pLabel;
    }
    connect(m_wndStatusBar, &QStatusBar::messageChanged, this, [this](const QString& strText) {
        if (strText.isEmpty()) m_wndStatusBar->showMessage(QStringLiteral("Ready"));
    });
    m_wndStatusBar->showMessage(QStringLiteral("Ready"));
    CommandAction(ID_VIEW_STATUS_BAR)->setChecked(true);
    auto* pTimer = new QTimer(this);
    connect(pTimer, &QTimer::timeout, this, &CMainFrame::UpdateIndicators);
    pTimer->start(kLockPollMs);
    UpdateIndicators();
}

void CMainFrame::UpdateIndicators() {
    const KeyLocks locks = ReadKeyLocks();
    m_indicators[0]->setText(locks.bCaps ? QStringLiteral("CAP") : QString());
    m_indicators[1]->setText(locks.bNum ? QStringLiteral("NUM") : QString());
    m_indicators[2]->setText(locks.bScroll ? QStringLiteral("SCRL") : QString());
}

void CMainFrame::SetMessageText(const QString& strText) {
    if (m_wndStatusBar) m_wndStatusBar->showMessage(strText.isEmpty() ? QStringLiteral("Ready") : strText);
}

// ---------------------------------------------------------------- command routing

void CMainFrame::OnCommand(int nId) {
    emit CommandRouted(nId);
    if (m_pView && m_pView->OnCommand(nId)) return;
    if (FrameCommand(nId)) return;
    if (m_appHandler) m_appHandler(nId);
}

bool CMainFrame::FrameCommand(int nId) {
    if (nId >= ID_FILE_MRU_FILE1 && nId < ID_FILE_MRU_FILE1 + CRecentFileList::kSize) {
        OnOpenRecentFile(nId - ID_FILE_MRU_FILE1);
        return true;
    }
    switch (nId) {
    case ID_FILE_NEW: OnFileNew(); return true;
    case ID_FILE_OPEN: OnFileOpen(); return true;
    case ID_FILE_SAVE: OnFileSave(); return true;
    case ID_FILE_SAVE_AS: OnFileSaveAs(); return true;
    case ID_FILE_PRINT_SETUP: OnFilePrintSetup(); return true;
    case ID_APP_EXIT: OnAppExit(); return true;
    case ID_VIEW_TOOLBAR: OnViewToolbar(); return true;
    case ID_VIEW_STATUS_BAR: OnViewStatusBar(); return true;
    default: return false;
    }
}

void CMainFrame::OnUpdateLineLengthBox() {
    int nLength = 0;
    if (m_wndLineLengthBox && SelectedLineLength(*m_wndLineLengthBox, nLength)) g_nLineLength = nLength;
}

void CMainFrame::OnUpdateCapacity() {
    for (int nId = ID_CAPACITY_FIRST; nId <= ID_CAPACITY_LAST; ++nId) {
        if (QAction* pAction = CommandAction(nId)) pAction->setChecked(CapacityOfCommand(nId) == m_nCapacityMark);
    }
}

void CMainFrame::OnViewToolbar() { m_wndToolBar->setVisible(!m_wndToolBar->isVisible()); }

void CMainFrame::OnViewStatusBar() {
    const bool bShow = !m_wndStatusBar->isVisible();
    m_wndStatusBar->setVisible(bShow);
    CommandAction(ID_VIEW_STATUS_BAR)->setChecked(bShow);
}

// ---------------------------------------------------------------- files

void CMainFrame::UpdateTitle() {
    setWindowTitle(m_pDoc->GetTitle() + QStringLiteral(" - ") + kMessageBoxTitle);
}

bool CMainFrame::SaveModified() {
    if (!m_pDoc->IsModified()) return true;
    QMessageBox box(QMessageBox::Warning, kMessageBoxTitle,
                    QStringLiteral("Save changes to %1?").arg(m_pDoc->GetPathName().isEmpty()
                                                                  ? m_pDoc->GetTitle()
                                                                  : QDir::toNativeSeparators(m_pDoc->GetPathName())),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    switch (box.exec()) {
    case QMessageBox::Yes: return OnFileSave();
    case QMessageBox::No: return true;
    default: return false;
    }
}

void CMainFrame::OnFileNew() {
    if (!SaveModified()) return;
    m_pDoc->OnNewDocument();
    m_pView->OnInitialUpdate();
}

void CMainFrame::OnFileOpen() {
    const QString strPath = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(),
                                                         QString::fromLatin1(kFileFilters));
    if (!strPath.isEmpty()) OpenDocumentFile(strPath);
}

bool CMainFrame::OpenDocumentFile(const QString& strPath) {
    if (!SaveModified()) return false;
    QString strError;
    if (!m_pDoc->OnOpenDocument(strPath, strError)) {
        ShowMessageBox(this, QStringLiteral("Failed to open document.\n\n%1").arg(strError));
        return false;
    }
    m_pView->OnInitialUpdate();
    AddToRecentFiles(strPath);
    return true;
}

bool CMainFrame::DoSave(const QString& strPath) {
    QString strError;
    if (!m_pDoc->OnSaveDocument(strPath, strError)) {
        ShowMessageBox(this, QStringLiteral("Failed to save document.\n\n%1").arg(strError));
        return false;
    }
    AddToRecentFiles(strPath);
    return true;
}

bool CMainFrame::OnFileSave() {
    if (m_pDoc->GetPathName().isEmpty()) return OnFileSaveAs();
    return DoSave(m_pDoc->GetPathName());
}

bool CMainFrame::OnFileSaveAs() {
    QFileDialog dialog(this, QStringLiteral("Save As"), QString(), QString::fromLatin1(kFileFilters));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("rtf"));
    dialog.selectFile(m_pDoc->GetPathName().isEmpty() ? m_pDoc->GetTitle() + QStringLiteral(".rtf")
                                                      : m_pDoc->GetPathName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    return DoSave(dialog.selectedFiles().constFirst());
}

void CMainFrame::OnFilePrintSetup() {
    CPrintSetupDlg dialog(m_pPrinter, this);
    dialog.exec();
}

void CMainFrame::OnAppExit() { close(); }

void CMainFrame::closeEvent(QCloseEvent* pEvent) {
    if (m_bDestroying || SaveModified()) {
        pEvent->accept();
    } else {
        pEvent->ignore();
    }
}

void CMainFrame::AddToRecentFiles(const QString& strPath) {
    m_recentFiles.Add(strPath);
    QSettings settings = AppSettings();
    m_recentFiles.WriteList(settings);
    RebuildRecentFiles();
}

void CMainFrame::RebuildRecentFiles() {
    for (QAction* pAction : m_recentActions) {
        m_pFileMenu->removeAction(pAction);
        if (pAction != m_pRecentPlaceholder) delete pAction;
    }
    m_recentActions.clear();
    for (int i = 0; i < CRecentFileList::kSize; ++i) m_actions.erase(ID_FILE_MRU_FILE1 + i);
    const QStringList& files = m_recentFiles.Files();
    if (files.isEmpty()) {
        m_pFileMenu->insertAction(m_pRecentEnd, m_pRecentPlaceholder);
        m_recentActions.push_back(m_pRecentPlaceholder);
        m_actions[ID_FILE_MRU_FILE1] = m_pRecentPlaceholder;
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        const int nId = ID_FILE_MRU_FILE1 + i;
        auto* pAction = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i])), this);
        pAction->setData(nId);
        pAction->setStatusTip(CommandPrompt(nId, m_bHebrewUi));
        connect(pAction, &QAction::triggered, this, [this, nId] { OnCommand(nId); });
        m_pFileMenu->insertAction(m_pRecentEnd, pAction);
        m_recentActions.push_back(pAction);
        m_actions[nId] = pAction;
    }
}

void CMainFrame::OnOpenRecentFile(int nIndex) {
    const QStringList& files = m_recentFiles.Files();
    if (nIndex < 0 || nIndex >= files.size()) return;
    const QString strPath = files[nIndex];
    if (!QFileInfo::exists(strPath)) {
        m_recentFiles.Remove(nIndex);
        QSettings settings = AppSettings();
        m_recentFiles.WriteList(settings);
        RebuildRecentFiles();
    }
    OpenDocumentFile(strPath);
}

}  // namespace velmora
