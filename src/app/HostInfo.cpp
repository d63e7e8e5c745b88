#include "HostInfo.h"

#include "HostLauncher.h"
#include "host/DetectHost.h"
#include "host/TopLevelWindows.h"
#include "host/WineSession.h"
#include "host/WorkDir.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdlib>

CHostInfo g_hostInfo;

namespace {

// The helper answers within a second or two even on a busy machine; a Wine session that hangs
// must not freeze the editor, and counts as no window.
constexpr int kWineAnswerWaitMs = 5000;

// Asks Wine whether one of its programs has a top-level window of that class and title. Only
// when a wineserver runs for the user's prefix: without one, no Windows program is running, and
// nothing of Wine is started (starting a Wine session takes seconds, and would leave one behind).
bool FindWineWindow(const char* pszClassName, const char* pszTitle, const std::string& strWorkDir) {
    if (pszClassName == nullptr ||
        !velmora::IsWineServerRunning(velmora::WinePrefixDir(std::getenv("WINEPREFIX"), std::getenv("HOME")))) {
        return false;
    }
    const std::string strHelper = WineHelperPath();
    if (strHelper.empty()) {
        return false;
    }
    QStringList arguments{QString::fromStdString(strHelper), QStringLiteral("--find"), QString::fromUtf8(pszClassName)};
    if (pszTitle != nullptr) {
        arguments << QString::fromUtf8(pszTitle);
    }
    QProcess process;
    if (!PrepareWineProcess(process, arguments, strWorkDir)) {
        return false;
    }
    process.start();
    if (!process.waitForFinished(kWineAnswerWaitMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

}  // namespace

CHostInfo::CHostInfo() : m_nHostKind(velmora::HOST_NONE) {}

bool CHostInfo::ReadWorkDir() { return velmora::ReadCurrentDir(m_szWorkDir); }

int32_t CHostInfo::DetectHost(std::string& strProgramPath) {
    const int32_t nHostKind = velmora::DetectHost(m_szWorkDir, strProgramPath);
    if (nHostKind != velmora::HOST_NONE) {
        m_nHostKind = nHostKind;
    }
    return m_nHostKind;
}

bool CHostInfo::FindAppWindow(const char* pszClassName, const char* pszTitle) const {
    // Native windows first: the X11 look-up is quick and covers native hosts and stand-ins. A
    // Windows program under Wine shows X11 windows named after its file ("dreamweaver.exe"); its
    // Win32 class is known only inside Wine.
    return velmora::FindTopLevelWindow(pszClassName, pszTitle) || FindWineWindow(pszClassName, pszTitle, m_szWorkDir);
}
