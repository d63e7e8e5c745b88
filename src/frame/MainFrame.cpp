#include "MainFrame.h"

#include "CommandIds.h"
#include "CommandTable.h"
#include "KeyLockState.h"
#include "LineLengthBox.h"
#include "dialogs/Pictures.h"
#include "doc/DraggedFile.h"
#include "doc/LineLength.h"
#include "doc/Tesslar2Doc.h"
#include "doc/Tesslar2View.h"

#include <QAbstractEventDispatcher>
#include <QAbstractItemView>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <array>
#include <memory>

namespace velmora {

namespace {

constexpr int kBoxWidth = 49;        // pixels of the toolbar entry that holds the box
constexpr int kBoxDropHeight = 200;  // pixels the box's list may drop down
constexpr int kLockPollMs = 250;

// The title of each MenuPlace's menu.
constexpr std::array<const char*, 7> kMenuTitles = {
    nullptr, "&File", "&Edit", "&View", "&Modify", "Line length box capasity", "&Help"};

// Adds pAction to pMenu, after a separator when the row asks for one and the menu is not empty.
void AddMenuItem(QMenu* pMenu, const CommandRow& row, QAction* pAction) {
    if (row.bSeparatorBefore && !pMenu->isEmpty()) pMenu->addSeparator();
    pMenu->addAction(pAction);
}

}  // namespace

CMainFrame::CMainFrame(CTesslar2Doc* pDoc, bool bHebrewUi, QWidget* pParent)
    : QMainWindow(pParent), m_pDoc(pDoc), m_pPrinter(new QPrinter(QPrinter::HighResolution)), m_bHebrewUi(bHebrewUi) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(ApplicationIcon());
    m_pView = new CTesslar2View(pDoc, this);
    m_pView->SetPrinter(m_pPrinter);
    m_pView->SetFrame(this);
    setCentralWidget(m_pView);

    SetupMenus();
    SetupAccelerators();
    SetupToolBar();
    SetupStatusBar();
    SetupEditCommandUpdates();

    setDockOptions(dockOptions() | QMainWindow::AllowNestedDocks);
    setAcceptDrops(true);
    connect(m_pDoc, &CTesslar2Doc::TitleChanged, this, &CMainFrame::UpdateTitle);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive) OfferToReadAgain();
    });
    UpdateTitle();
    ReadRecentFiles();

    // The box's selection becomes the line length whenever the interface falls idle.
    if (auto* pDispatcher = QAbstractEventDispatcher::instance()) {
        m_idleConnection = connect(pDispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            OnUpdateLineLengthBox();
            OnUpdateCapacity();
        });
    }
    // A laptop screen at 150% has fewer points than the usual size: the window then starts within
    // the room there is, its title bar and status bar on screen.
    const QScreen* pScreen = screen();
    resize(pScreen ? QSize(760, 540).boundedTo(pScreen->availableGeometry().size() * 0.9) : QSize(760, 540));
}

CMainFrame::~CMainFrame() {
    // Qt closes the window once more while destroying it: nothing is asked then.
    m_bDestroying = true;
    disconnect(m_idleConnection);
    m_pView->SetFrame(nullptr);
    delete m_pPrinter;
}

// ---------------------------------------------------------------- menus, keys and bars

QAction* CMainFrame::NewCommandAction(const CommandRow& row, const QString& strText) {
    auto* pAction = new QAction(strText, this);
    const int nId = row.nId;
    pAction->setData(nId);
    pAction->setStatusTip(CommandPrompt(nId, m_bHebrewUi));
    pAction->setShortcutContext(Qt::WidgetShortcut);
    connect(pAction, &QAction::triggered, this, [this, nId] { OnCommand(nId); });
    return pAction;
}

QAction* CMainFrame::CommandAction(int nId) const {
    const auto it = m_actions.find(nId);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::SetupMenus() {
    std::array<QMenu*, kMenuTitles.size()> menus = {};
    for (size_t i = 1; i < menus.size(); ++i) {
        if (static_cast<MenuPlace>(i) != MenuPlace::Capacity)
            menus[i] = menuBar()->addMenu(QString::fromLatin1(kMenuTitles[i]));
    }
    auto* pCapacityGroup = new QActionGroup(this);
    for (const CommandRow& row : CommandTable()) {
        if (row.menu == MenuPlace::None) continue;
        const auto nPlace = static_cast<size_t>(row.menu);
        if (row.menu == MenuPlace::Capacity && !menus[nPlace]) {
            menus[nPlace] =
                menus[static_cast<size_t>(MenuPlace::Modify)]->addMenu(QString::fromLatin1(kMenuTitles[nPlace]));
        }
        QAction* pAction = NewCommandAction(row, QString::fromLatin1(row.pszMenuText));
        pAction->setCheckable(row.bCheckable);
        if (row.menu == MenuPlace::Capacity) pAction->setActionGroup(pCapacityGroup);
        AddMenuItem(menus[nPlace], row, pAction);
        m_actions.emplace(row.nId, pAction);
    }
    m_pFileMenu = menus[static_cast<size_t>(MenuPlace::File)];
    m_pCapacityMenu = menus[static_cast<size_t>(MenuPlace::Capacity)];
    m_pRecentPlaceholder = CommandAction(ID_FILE_MRU_FILE1);
    m_pRecentPlaceholder->setEnabled(false);
    const QList<QAction*> fileItems = m_pFileMenu->actions();
    m_pRecentEnd = fileItems.at(fileItems.indexOf(m_pRecentPlaceholder) + 1);
    OnUpdateCapacity();
}

void CMainFrame::ShowContextMenu(const QPoint& globalPos) {
    // Built afresh for every right click and dropped after it, owned by the view it shows over.
    auto pMenu =
        std::make_unique<QMenu>(QString::fromLatin1(kMenuTitles[static_cast<size_t>(MenuPlace::Modify)]), m_pView);
    pMenu->setLayoutDirection(Qt::LeftToRight);
    for (const CommandRow& row : CommandTable()) {
        if (!row.bContextMenu) continue;
        QAction* pAction = new QAction(QString::fromLatin1(row.pszMenuText), pMenu.get());
        pAction->setData(row.nId);
        pAction->setEnabled(row.handler != nullptr);
        AddMenuItem(pMenu.get(), row, pAction);
    }
    QAction* pChosen = pMenu->exec(globalPos);
    const int nId = pChosen ? pChosen->data().toInt() : 0;
    pMenu.reset();
    if (nId != 0) OnCommand(nId);
}

void CMainFrame::SetupAccelerators() {
    for (const CommandRow& row : CommandTable()) {
        const int nId = row.nId;
        for (const QKeyCombination key : row.keys) {
            if (key.key() == Qt::Key_unknown) continue;
            auto* pShortcut = new QShortcut(QKeySequence(key), this);
            pShortcut->setContext(Qt::WindowShortcut);
            connect(pShortcut, &QShortcut::activated, this, [this, nId] { OnCommand(nId); });
        }
    }
}

void CMainFrame::SetupEditCommandUpdates() {
    // The edit commands follow what the editor can do, in the menu and on the toolbar.
    connect(m_pView, &QTextEdit::undoAvailable, this, &CMainFrame::OnUpdateEditCommands);
    connect(m_pView, &QTextEdit::copyAvailable, this, &CMainFrame::OnUpdateEditCommands);
    connect(m_pView, &QTextEdit::selectionChanged, this, &CMainFrame::OnUpdateEditCommands);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::OnUpdateEditCommands);
    OnUpdateEditCommands();
}

void CMainFrame::OnUpdateEditCommands() {
    for (QAction* pAction : findChildren<QAction*>()) {
        const CommandRow* pRow = FindCommand(pAction->data().toInt());
        if (pRow && pRow->enabler) pAction->setEnabled(pRow->enabler(*this));
    }
}

bool CMainFrame::IsCommandKey(QKeyCombination key) const { return IsAcceleratorKey(key); }

void CMainFrame::dragEnterEvent(QDragEnterEvent* pEvent) {
    if (!DraggedLocalFile(pEvent->mimeData()).isEmpty()) pEvent->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* pEvent) {
    const QString strFile = DraggedLocalFile(pEvent->mimeData());
    if (strFile.isEmpty()) return;
    pEvent->acceptProposedAction();
    OpenDroppedFile(strFile);
}

void CMainFrame::OpenDroppedFile(const QString& strPath) {
    QMetaObject::invokeMethod(
        this, [this, strPath] { OpenDocumentFile(strPath); }, Qt::QueuedConnection);
}

void CMainFrame::SetupToolBar() {
    m_wndToolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_wndToolBar->setObjectName(QStringLiteral("59392"));
    m_wndToolBar->setIconSize(QSize(16, 16));
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_wndToolBar->setMovable(true);
    m_wndToolBar->setFloatable(true);
    std::map<int, const CommandRow*> bySlot;
    for (const CommandRow& row : CommandTable()) {
        if (row.nToolbarSlot >= 0) bySlot.emplace(row.nToolbarSlot, &row);
    }
    const int nSlots = bySlot.empty() ? 0 : bySlot.rbegin()->first + 1;
    for (int nSlot = 0; nSlot < nSlots; ++nSlot) {
        const auto it = bySlot.find(nSlot);
        if (it == bySlot.end()) {
            m_wndToolBar->addSeparator();
        } else if (it->second->nId == ID_LINE_LENGTH_BOX) {
            SetupLineLengthBox();
        } else {
            const int nId = it->second->nId;
            QAction* pButton = NewCommandAction(*it->second, CommandTooltip(nId, m_bHebrewUi));
            pButton->setIcon(ToolbarIcon(nId));
            pButton->setToolTip(CommandTooltip(nId, m_bHebrewUi));
            pButton->setShortcutContext(Qt::WindowShortcut);
            m_wndToolBar->addAction(pButton);
        }
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

// ---------------------------------------------------------------- commands

void CMainFrame::OnCommand(int nId) {
    emit CommandRouted(nId);
    const CommandRow* pRow = FindCommand(nId);
    if (!pRow || !pRow->handler) return;
    ++m_nCommandsRunning;
    pRow->handler(*this, nId);
    --m_nCommandsRunning;
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

void CMainFrame::RememberLineLength(int nLength) {
    if (m_wndLineLengthBox) velmora::RememberLineLength(*m_wndLineLengthBox, nLength, m_nCapacity);
}

void CMainFrame::OnLineLengthBoxCapacity(int nCapacity) {
    if (m_wndLineLengthBox) ShrinkToCapacity(*m_wndLineLengthBox, nCapacity, m_nCapacity);
    m_nCapacity = nCapacity;
    m_nCapacityMark = nCapacity;
    OnUpdateCapacity();
}

void CMainFrame::OnViewToolbar() { m_wndToolBar->setVisible(!m_wndToolBar->isVisible()); }

void CMainFrame::OnViewStatusBar() {
    const bool bShow = !m_wndStatusBar->isVisible();
    m_wndStatusBar->setVisible(bShow);
    CommandAction(ID_VIEW_STATUS_BAR)->setChecked(bShow);
}

}  // namespace velmora
