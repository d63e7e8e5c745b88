#include "HostStartup.h"

#include "HostInfo.h"
#include "HostLauncher.h"
#include "dialogs/MessageBox.h"

#include <QPointer>
#include <QWidget>

#include <string>

bool RunHostStartup(QWidget* pMainWindow) {
    if (!g_hostInfo.ReadWorkDir()) {
        velmora::ShowMessageBox(nullptr, QStringLiteral("No working directory"));
        velmora::ShowMessageBox(pMainWindow, QStringLiteral("Program is out of the low."));
        return false;
    }
    std::string strProgramPath;
    g_hostInfo.m_nHostKind = g_hostInfo.DetectHost(strProgramPath);
    if (g_hostInfo.m_nHostKind == velmora::HOST_NONE) {
        velmora::ShowMessageBox(pMainWindow, QStringLiteral("Can not find Macromedia program to run"));
        return true;
    }
    // A Windows program's failure may be known only once Wine has tried; the message then
    // comes later, over the main window if it is still there.
    const QPointer<QWidget> mainWindow(pMainWindow);
    auto showProblem = [mainWindow] {
        velmora::ShowMessageBox(mainWindow.data(), QStringLiteral("Problem to run Macromedia file."));
    };
    if (!StartHostProgram(strProgramPath, g_hostInfo.m_szWorkDir, showProblem)) {
        showProblem();
    }
    return true;
}
