#pragma once
// The main window: menus, accelerators, the toolbar with the line-length box and the status bar,
// all built from the command table, the file commands, and the routing of every command to its
// handler.

#include "RecentFileList.h"
#include "doc/FileVersion.h"
#include "doc/ViewFrame.h"

#include <QMainWindow>

#include <map>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPrinter;
class QStatusBar;
class QToolBar;

namespace velmora {

class CTesslar2Doc;
class CTesslar2View;
struct CommandRow;
struct LeftCopy;

class CMainFrame : public QMainWindow, public IViewFrame {
    Q_OBJECT
public:
    // Builds the whole window around a view of pDoc. bHebrewUi picks the Hebrew prompts and
    // tooltips.
    CMainFrame(CTesslar2Doc* pDoc, bool bHebrewUi, QWidget* pParent = nullptr);
    ~CMainFrame() override;

    int m_nCapacityMark = 2;  // capacity whose menu item carries the radio mark
    int m_nCapacity = 2;      // how many line lengths the box may hold, 256 included
    QComboBox* m_wndLineLengthBox = nullptr;
    QStatusBar* m_wndStatusBar = nullptr;
    QToolBar* m_wndToolBar = nullptr;

    CTesslar2View* GetActiveView() const { return m_pView; }
    CTesslar2Doc* GetDocument() const { return m_pDoc; }
    QPrinter* GetPrinter() const { return m_pPrinter; }
    // The menu-bar action of command nId; nullptr when there is none.
    QAction* CommandAction(int nId) const;
    QMenu* CapacityMenu() const { return m_pCapacityMenu; }
    QLabel* Indicator(int nIndex) const { return m_indicators[nIndex]; }

    // Runs command nId the way the menus, the toolbar and the accelerators do: through its row of
    // the command table. Commands without a handler do nothing.
    void OnCommand(int nId);

    // IViewFrame
    void SetMessageText(const QString& strText) override;
    void RememberLineLength(int nLength) override;
    void ShowContextMenu(const QPoint& globalPos) override;
    bool IsCommandKey(QKeyCombination key) const override;
    void OpenDroppedFile(const QString& strPath) override;

    // Asks whether to save a modified document; false when the user cancels or the save fails.
    bool SaveModified();
    // Opens strPath as the document (after SaveModified), reporting a failure in a message box. A
    // warning (the file was cut short) is shown too, or, with pWarning, handed back to be shown
    // once the window is on screen.
    bool OpenDocumentFile(const QString& strPath, QString* pWarning = nullptr);

    // Offers the copy that an editor which ended without saving left of its changes: opened, it
    // is the document, still to be saved (true); else the user deleted it or keeps it for later.
    bool OfferLeftCopy(LeftCopy& copy);

signals:
    // Emitted for every command sent through OnCommand, before it is handled.
    void CommandRouted(int nId);
    // The application's commands, which the application answers.
    void AboutRequested();
    void HebrewHelpRequested();

public slots:
    void OnUpdateLineLengthBox();
    void OnUpdateCapacity();
    // Greys the commands that cannot act now (Undo, Cut, Copy, Paste, Paste Special).
    void OnUpdateEditCommands();
    // Makes the line-length box hold at most nCapacity (2..10) lengths.
    void OnLineLengthBoxCapacity(int nCapacity);
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnFilePrintSetup();
    void OnAppExit();
    void OnOpenRecentFile(int nIndex);
    void OnViewToolbar();
    void OnViewStatusBar();

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    // A document dropped on the toolbar, the status bar or the menu bar opens as on the view.
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

private:
    QAction* NewCommandAction(const CommandRow& row, const QString& strText);
    void SetupMenus();
    void SetupAccelerators();
    void SetupEditCommandUpdates();
    void SetupToolBar();
    void SetupLineLengthBox();
    void SetupStatusBar();
    void UpdateIndicators();
    void UpdateTitle();
    void ReadRecentFiles();
    void RebuildRecentFiles();
    void AddToRecentFiles(const QString& strPath);
    bool DoSave(const QString& strPath);
    // Reads strPath as the document without asking to save the one shown.
    bool ReadDocumentFile(const QString& strPath, QString* pWarning);
    void OfferToReadAgain();

    CTesslar2Doc* m_pDoc;
    int m_nCommandsRunning = 0;      // commands begun through OnCommand and not yet ended
    bool m_bOfferingToRead = false;  // the question of OfferToReadAgain is up
    FileVersion m_versionNotRead;    // the file's version the user chose not to read again
    CTesslar2View* m_pView = nullptr;
    QPrinter* m_pPrinter = nullptr;
    bool m_bHebrewUi;
    std::map<int, QAction*> m_actions;
    QMenu* m_pFileMenu = nullptr;
    QMenu* m_pCapacityMenu = nullptr;
    QAction* m_pRecentPlaceholder = nullptr;
    QAction* m_pRecentEnd = nullptr;  // the separator after the recent files
    std::vector<QAction*> m_recentActions;
    CRecentFileList m_recentFiles;
    QLabel* m_indicators[3] = {};
    QMetaObject::Connection m_idleConnection;
    bool m_bDestroying = false;
};

}  // namespace velmora
