#include "HostInfo.h"

#include "dialogs/MessageBox.h"
#include "host/DetectHost.h"
#include "host/TopLevelWindows.h"
#include "host/WorkDir.h"

CHostInfo g_hostInfo;

CHostInfo::CHostInfo() : m_nHostKind(velmora::HOST_NONE) {}

bool CHostInfo::ReadWorkDir() {
    if (!velmora::ReadCurrentDir(m_szWorkDir)) {
        velmora::ShowMessageBox(nullptr, QStringLiteral("No working directory"));
        return false;
    }
    return true;
}

int32_t CHostInfo::DetectHost(std::string& strProgramPath) {
    const int32_t nHostKind = velmora::DetectHost(m_szWorkDir, strProgramPath);
    if (nHostKind != velmora::HOST_NONE) {
        m_nHostKind = nHostKind;
    }
    return m_nHostKind;
}

bool CHostInfo::FindAppWindow(const char* pszClassName, const char* pszTitle) const {
    return velmora::FindTopLevelWindow(pszClassName, pszTitle);
}
