#include "HostStartup.h"

#include "dialogs/MessageBox.h"
#include "HostInfo.h"
#include "HostLauncher.h"

#include <string>

bool RunHostStartup(QWidget* pMainWindow) {
    if (!g_hostInfo.ReadWorkDir()) {
        velmora::ShowMessageBox(pMainWindow, QStringLiteral("Program is out of the low."));
        return false;
    }
    std::string strProgramPath;
    g_hostInfo.m_nHostKind = g_hostInfo.DetectHost(strProgramPath);
    if (g_hostInfo.m_nHostKind == velmora::HOST_NONE) {
        velmora::ShowMessageBox(pMainWindow, QStringLiteral("Can not find Macromedia program to run"));
        return true;
    }
    if (!StartHostProgram(strProgramPath, g_hostInfo.m_szWorkDir)) {
        velmora::ShowMessageBox(pMainWindow, QStringLiteral("Problem to run Macromedia file."));
    }
    return true;
}
