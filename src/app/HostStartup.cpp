#include "HostStartup.h"

#include "AppMessage.h"
#include "HostInfo.h"
#include "HostLauncher.h"

#include <string>

bool RunHostStartup(QWidget* pMainWindow) {
    if (!g_hostInfo.ReadWorkDir()) {
        ShowAppMessage(QStringLiteral("Program is out of the low."), pMainWindow);
        return false;
    }
    std::string strProgramPath;
    g_hostInfo.m_nHostKind = g_hostInfo.DetectHost(strProgramPath);
    if (g_hostInfo.m_nHostKind == velmora::HOST_NONE) {
        ShowAppMessage(QStringLiteral("Can not find Macromedia program to run"), pMainWindow);
        return true;
    }
    if (!StartHostProgram(strProgramPath, g_hostInfo.m_szWorkDir)) {
        ShowAppMessage(QStringLiteral("Problem to run Macromedia file."), pMainWindow);
    }
    return true;
}
