#include "WineSession.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace velmora {

namespace {

std::vector<std::string> SplitSearchPath(std::string_view szSearchPath) {
    std::vector<std::string> dirs;
    size_t nStart = 0;
    while (nStart <= szSearchPath.size()) {
        size_t nEnd = szSearchPath.find(':', nStart);
        if (nEnd == std::string_view::npos) {
            nEnd = szSearchPath.size();
        }
        // An empty entry means the current directory to a shell; a program started from a
        // host's folder must not pick a "wine" lying there, so empty entries are skipped.
        if (nEnd > nStart) {
            dirs.emplace_back(szSearchPath.substr(nStart, nEnd - nStart));
        }
        nStart = nEnd + 1;
    }
    return dirs;
}

bool IsExecutableFile(const std::string& strPath) {
    struct stat st {};
    return stat(strPath.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(strPath.c_str(), X_OK) == 0;
}

// True when another process holds a lock on the file: a running wineserver locks its "lock"
// file for as long as it runs, and the lock goes with the process, so a stale directory left by
// a killed server does not count.
bool IsLockedByAnother(const std::string& strLockFile) {
    const int fd = open(strLockFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const bool bLocked = fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    close(fd);
    return bLocked;
}

std::string ServerDirName(const struct stat& st) {
    char szName[64];
    std::snprintf(szName, sizeof szName, "server-%llx-%llx", static_cast<unsigned long long>(st.st_dev),
                  static_cast<unsigned long long>(st.st_ino));
    return szName;
}

// Wine's own builds: /tmp/.wine-UID/server-DEV-INODE, from the prefix's device and inode.
bool IsUpstreamServerRunning(const std::string& strPrefix) {
    struct stat st {};
    if (stat(strPrefix.c_str(), &st) != 0) {
        return false;
    }
    return IsLockedByAnother("/tmp/.wine-" + std::to_string(getuid()) + "/" + ServerDirName(st) + "/lock");
}

// Debian's builds: the prefix's "wineserver" file names a private folder under the temporary
// directory, which holds the server directory.
bool IsDebianServerRunning(const std::string& strPrefix) {
    std::ifstream file(strPrefix + "/wineserver");
    std::string strName;
    if (!std::getline(file, strName) || strName.empty() || strName.find('/') != std::string::npos) {
        return false;
    }
    std::vector<std::string> roots{"/tmp"};
    if (const char* pszTmp = std::getenv("TMPDIR"); pszTmp != nullptr && *pszTmp != '\0') {
        roots.insert(roots.begin(), pszTmp);
    }
    for (const std::string& strRoot : roots) {
        const std::string strDir = strRoot + "/" + strName;
        DIR* pDir = opendir(strDir.c_str());
        if (pDir == nullptr) {
            continue;
        }
        bool bRunning = false;
        while (const dirent* pEntry = readdir(pDir)) {
            if (std::string_view(pEntry->d_name).starts_with("server-") &&
                IsLockedByAnother(strDir + "/" + pEntry->d_name + "/lock")) {
                bRunning = true;
                break;
            }
        }
        closedir(pDir);
        if (bRunning) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsWindowsProgram(const std::string& strPath) {
    std::ifstream file(strPath, std::ios::binary);
    char mark[2] = {};
    return file.read(mark, 2) && mark[0] == 'M' && mark[1] == 'Z';
}

std::string FindWineLoader(std::string_view szSearchPath) {
    const std::vector<std::string> dirs = SplitSearchPath(szSearchPath);
    for (const char* pszName : {"/wine", "/wine64", "/../lib/wine/wine64"}) {
        for (const std::string& strDir : dirs) {
            if (IsExecutableFile(strDir + pszName)) {
                return strDir + pszName;
            }
        }
    }
    return {};
}

std::string WinePrefixDir(const char* pszWinePrefix, const char* pszHome) {
    if (pszWinePrefix != nullptr && *pszWinePrefix != '\0') {
        return pszWinePrefix;
    }
    if (pszHome != nullptr && *pszHome != '\0') {
        return std::string(pszHome) + "/.wine";
    }
    return {};
}

bool IsWineServerRunning(const std::string& strPrefix) {
    return !strPrefix.empty() && (IsUpstreamServerRunning(strPrefix) || IsDebianServerRunning(strPrefix));
}

std::string WineStartProblem(int nExitCode) {
    // The helper's codes (see WineHelper.c); anything else came from Wine's loader itself.
    switch (nExitCode) {
    case 0: return {};
    case 12: return "the program file was not found";
    case 13: return "access to the program file was denied";
    case 14: return "it is not a Windows program Wine can run";
    case 19: return "Windows refused to start it";
    default: return "Wine ended with exit code " + std::to_string(nExitCode);
    }
}

}  // namespace velmora
