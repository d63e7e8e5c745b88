#pragma once
// The main window: menus, accelerators, the toolbar with the line-length box, the status bar,
// the file commands and the routing of every command to the view, the frame or the application.

#include "RecentFileList.h"

#include <QMainWindow>

#include <functional>
#include <map>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QPrinter;
class QStatusBar;
class QToolBar;

namespace velmora {

class CTesslar2Doc;
class CTesslar2View;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Builds the whole window around a view of pDoc. bHebrewUi picks the Hebrew prompts and
    // tooltips. On a platform that is not supported shows "Velmora dosen't work under this OS !"
    // and ends the process with exit code 0.
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
    // The menu-bar or toolbar action of command nId; nullptr when there is none.
    QAction* CommandAction(int nId) const;
    QMenu* CapacityMenu() const { return m_pCapacityMenu; }
    QLabel* Indicator(int nIndex) const { return m_indicators[nIndex]; }

    // Sends command nId the way the menus, the toolbar and the accelerators do: to the view, then
    // the frame, then the application. Commands nobody handles do nothing.
    void OnCommand(int nId);
    void SetAppCommandHandler(std::function<bool(int)> handler) { m_appHandler = std::move(handler); }

    // The text of the status bar's first pane; an empty text shows "Ready".
    void SetMessageText(const QString& strText);
    // Asks whether to save a modified document; false when the user cancels or the save fails.
    bool SaveModified();
    // Opens strPath as the document (after SaveModified), reporting a failure in a message box.
    bool OpenDocumentFile(const QString& strPath);

signals:
    // Emitted for every command sent through OnCommand, before it is handled.
    void CommandRouted(int nId);

public slots:
    void OnUpdateLineLengthBox();
    void OnUpdateCapacity();
    // Greys Undo, Cut, Copy, Paste and Paste Special when they cannot act.
    void OnUpdateEditCommands();
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

private:
    bool FrameCommand(int nId);
    void DetectPlatform();
    QAction* AddCommand(QMenu* pMenu, int nId, const char* pszText);
    void SetupFileActions();
    void SetupEditActions();
    void SetupViewActions();
    void SetupModifyActions();
    void SetupHelpActions();
    void SetupAccelerators();
    void SetupEditCommandUpdates();
    void SetupToolBar();
    void SetupLineLengthBox();
    void SetupStatusBar();
    void UpdateIndicators();
    void UpdateTitle();
    void RebuildRecentFiles();
    void AddToRecentFiles(const QString& strPath);
    bool DoSave(const QString& strPath);

    CTesslar2Doc* m_pDoc;
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
    std::function<bool(int)> m_appHandler;
    QMetaObject::Connection m_idleConnection;
    bool m_bDestroying = false;
};

}  // namespace velmora
