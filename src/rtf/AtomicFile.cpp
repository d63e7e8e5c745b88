#include "AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <new>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

constexpr size_t kMaxDocumentBytes = static_cast<size_t>(std::numeric_limits<int32_t>::max());

std::string SystemReason(int nErrno) { return std::strerror(nErrno); }

// Closes a file descriptor on every way out.
class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd) : m_fd(fd) {}
    ~CFileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

// The file a path names after following symbolic links; the path itself when it names none.
std::string ResolveLinks(const std::string& strPath) {
    std::string strResolved = strPath;
    for (int nHops = 0; nHops < 40; ++nHops) {
        struct stat st {};
        if (::lstat(strResolved.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return strResolved;
        std::vector<char> target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t nLength = ::readlink(strResolved.c_str(), target.data(), target.size());
        if (nLength <= 0 || static_cast<size_t>(nLength) >= target.size()) return strResolved;
        std::string strTarget(target.data(), static_cast<size_t>(nLength));
        if (strTarget.front() != '/') {
            const size_t nSlash = strResolved.rfind('/');
            if (nSlash != std::string::npos) strTarget = strResolved.substr(0, nSlash + 1) + strTarget;
        }
        strResolved = std::move(strTarget);
    }
    return strResolved;
}

std::string FolderOf(const std::string& strPath) {
    const size_t nSlash = strPath.rfind('/');
    if (nSlash == std::string::npos) return ".";
    return nSlash == 0 ? "/" : strPath.substr(0, nSlash);
}

// The number of the open stream a path names ("/dev/stdout", "/dev/fd/3"), or -1.
int StreamNumberOf(const std::string& strPath) {
    if (strPath == "/dev/stdin") return 0;
    if (strPath == "/dev/stdout") return 1;
    if (strPath == "/dev/stderr") return 2;
    for (const std::string_view prefix : {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/")}) {
        if (!strPath.starts_with(prefix)) continue;
        const std::string_view digits = std::string_view(strPath).substr(prefix.size());
        int nNumber = -1;
        const auto [pEnd, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), nNumber);
        if (ec == std::errc() && pEnd == digits.data() + digits.size() && !digits.empty()) return nNumber;
    }
    return -1;
}

// ------------------------------------------------------------------ removal on a signal

// The temporary file of the save in progress, for the signal handler: a fixed buffer, since a
// handler may neither allocate nor take locks. One save at a time is guarded.
constexpr int kCleanupSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGXFSZ};
char g_szTempPath[PATH_MAX];
volatile sig_atomic_t g_bTempPathSet = 0;
std::atomic<bool> g_bGuardTaken{false};
bool g_bInstalled[std::size(kCleanupSignals)];
struct sigaction g_previous[std::size(kCleanupSignals)];

extern "C" void RemoveTempFileAndEnd(int nSignal) {
    if (g_bTempPathSet) ::unlink(g_szTempPath);
    // SA_RESETHAND gave the signal its default action back: raised again, it ends the process as
    // it would have.
    ::raise(nSignal);
}

// Returns false when another save holds the guard or the path does not fit: that save is then
// simply not guarded.
bool GuardTempFile(const std::string& strTemp) {
    if (strTemp.size() >= sizeof g_szTempPath || g_bGuardTaken.exchange(true)) return false;
    std::memcpy(g_szTempPath, strTemp.c_str(), strTemp.size() + 1);
    g_bTempPathSet = 1;
    for (size_t i = 0; i < std::size(kCleanupSignals); ++i) {
        g_bInstalled[i] = false;
        struct sigaction current {};
        if (::sigaction(kCleanupSignals[i], nullptr, &current) != 0) continue;
        // A signal the process ignores or handles itself is left as it is.
        if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) continue;
        struct sigaction handler {};
        handler.sa_handler = RemoveTempFileAndEnd;
        handler.sa_flags = SA_RESETHAND | SA_NODEFER;
        sigemptyset(&handler.sa_mask);
        g_bInstalled[i] = ::sigaction(kCleanupSignals[i], &handler, &g_previous[i]) == 0;
    }
    return true;
}

void ReleaseTempFileGuard() {
    g_bTempPathSet = 0;
    for (size_t i = 0; i < std::size(kCleanupSignals); ++i) {
        if (g_bInstalled[i]) ::sigaction(kCleanupSignals[i], &g_previous[i], nullptr);
        g_bInstalled[i] = false;
    }
    g_bGuardTaken.store(false);
}

bool WriteAll(int fd, std::string_view bytes, std::string& strError) {
    while (!bytes.empty()) {
        const ssize_t nWritten = ::write(fd, bytes.data(), bytes.size());
        if (nWritten < 0) {
            if (errno == EINTR) continue;
            strError = "cannot write the file: " + SystemReason(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(nWritten));
    }
    return true;
}

bool ReadWholeFileOrThrow(const std::string& strPath, std::string& bytes, std::string& strError) {
    bytes.clear();
    CFileDescriptor file(::open(strPath.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        strError = errno == EISDIR ? "it is a folder" : SystemReason(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(file.Get(), &st) != 0) {
        strError = SystemReason(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        strError = "it is a folder";
        return false;
    }
    if (S_ISREG(st.st_mode)) {
        if (static_cast<uint64_t>(st.st_size) > kMaxDocumentBytes) {
            strError = "the file is too large (2 GiB or more)";
            return false;
        }
        bytes.reserve(static_cast<size_t>(st.st_size));
    }
    char buffer[1 << 16];
    for (;;) {
        const ssize_t nRead = ::read(file.Get(), buffer, sizeof buffer);
        if (nRead == 0) break;
        if (nRead < 0) {
            if (errno == EINTR) continue;
            strError = SystemReason(errno);
            bytes.clear();
            return false;
        }
        if (bytes.size() + static_cast<size_t>(nRead) > kMaxDocumentBytes) {
            strError = "the file is too large (2 GiB or more)";
            bytes.clear();
            return false;
        }
        bytes.append(buffer, static_cast<size_t>(nRead));
    }
    return true;
}

}  // namespace

// ------------------------------------------------------------------ saving

CAtomicFile::~CAtomicFile() { Abandon(); }

bool CAtomicFile::Open(const std::string& strPath, std::string& strError) {
    Abandon();
    if (const int nStream = StreamNumberOf(strPath); nStream >= 0) {
        // A copy of the stream's descriptor: it shares the position and ">>" of the original.
        m_fd = ::fcntl(nStream, F_DUPFD_CLOEXEC, 3);
        if (m_fd < 0) return Fail(strError, "cannot write the stream: " + SystemReason(errno));
        m_eKind = Kind::Stream;
        return true;
    }
    struct stat st {};
    if (::stat(strPath.c_str(), &st) != 0) {
        if (errno == ELOOP) return Fail(strError, SystemReason(ELOOP));  // a link loop
        return OpenReplacement(ResolveLinks(strPath), strError);         // a new file, or a dangling link's target
    }
    if (S_ISDIR(st.st_mode)) return Fail(strError, "it is a folder");
    if (!S_ISREG(st.st_mode)) {
        m_fd = ::open(strPath.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (m_fd < 0) return Fail(strError, "cannot open the file: " + SystemReason(errno));
        m_eKind = Kind::InPlace;
        return true;
    }
    // Root may write anything; a file that nobody may write was made so on purpose.
    if ((st.st_mode & 0222) == 0) return Fail(strError, "the file is read-only");
    if (::access(strPath.c_str(), W_OK) != 0) {
        return Fail(strError, errno == EACCES ? std::string("the file is read-only") : SystemReason(errno));
    }
    return OpenReplacement(ResolveLinks(strPath), strError);
}

bool CAtomicFile::OpenReplacement(const std::string& strTarget, std::string& strError) {
    struct stat stOld {};
    const bool bExists = ::stat(strTarget.c_str(), &stOld) == 0;
    // A short name, so that a target whose own name is as long as a name may be still works.
    m_strTemp = FolderOf(strTarget) + "/.velmora-XXXXXX";
    m_fd = ::mkstemp(m_strTemp.data());
    if (m_fd < 0) {
        m_strTemp.clear();
        return Fail(strError, "cannot create a file in its folder: " + SystemReason(errno));
    }
    m_eKind = Kind::Replace;
    m_strTarget = strTarget;
    m_bGuarded = GuardTempFile(m_strTemp);

    // mkstemp makes the file private and ours; give it the old file's owner, group and
    // permissions, or what a new file gets.
    mode_t mode = 0;
    if (bExists) {
        if (::fchown(m_fd, stOld.st_uid, stOld.st_gid) != 0) (void)::fchown(m_fd, static_cast<uid_t>(-1), stOld.st_gid);
        struct stat stNew {};
        if (::fstat(m_fd, &stNew) != 0) return Fail(strError, "cannot set the file's owner: " + SystemReason(errno));
        mode = stOld.st_mode & 07777;
        if (stNew.st_uid != stOld.st_uid) mode &= ~static_cast<mode_t>(S_ISUID);
        if (stNew.st_gid != stOld.st_gid) mode &= ~static_cast<mode_t>(S_ISGID);
    } else {
        const mode_t umaskNow = ::umask(0);
        ::umask(umaskNow);
        mode = 0666 & ~umaskNow;
    }
    if (::fchmod(m_fd, mode) != 0) return Fail(strError, "cannot set the file's permissions: " + SystemReason(errno));
    return true;
}

bool CAtomicFile::Write(std::string_view bytes, std::string& strError) {
    if (m_fd < 0) return Fail(strError, "the file is not open");
    if (!WriteAll(m_fd, bytes, strError)) return Fail(strError, strError);
    return true;
}

bool CAtomicFile::Commit(std::string& strError) {
    if (m_fd < 0) return Fail(strError, "the file is not open");
    if (m_eKind == Kind::Replace && ::fsync(m_fd) != 0)
        return Fail(strError, "cannot write the file to the disk: " + SystemReason(errno));
    const int nCloseResult = ::close(m_fd);
    m_fd = -1;
    if (nCloseResult != 0 && errno != EINTR) return Fail(strError, "cannot write the file: " + SystemReason(errno));
    if (m_eKind != Kind::Replace) {
        m_eKind = Kind::None;
        return true;
    }
    // From here on the temporary name may become the target's: a signal must not remove it.
    ReleaseGuard();
    if (::rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0)
        return Fail(strError, "cannot replace the file: " + SystemReason(errno));
    m_strTemp.clear();
    m_eKind = Kind::None;
    // Make the rename itself durable; the file is already complete either way.
    const int fdFolder = ::open(FolderOf(m_strTarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fdFolder >= 0) {
        ::fsync(fdFolder);
        ::close(fdFolder);
    }
    return true;
}

void CAtomicFile::ReleaseGuard() {
    if (m_bGuarded) ReleaseTempFileGuard();
    m_bGuarded = false;
}

bool CAtomicFile::Fail(std::string& strError, std::string strReason) {
    Abandon();
    strError = std::move(strReason);
    return false;
}

void CAtomicFile::Abandon() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (m_eKind == Kind::Replace) {
        if (!m_strTemp.empty()) ::unlink(m_strTemp.c_str());
        ReleaseGuard();
    }
    m_strTemp.clear();
    m_eKind = Kind::None;
}

bool WriteFileAtomically(const std::string& strPath, std::string_view bytes, std::string& strError) {
    CAtomicFile file;
    return file.Open(strPath, strError) && file.Write(bytes, strError) && file.Commit(strError);
}

bool ReadWholeFile(const std::string& strPath, std::string& bytes, std::string& strError) {
    try {
        return ReadWholeFileOrThrow(strPath, bytes, strError);
    } catch (const std::bad_alloc&) {
        bytes.clear();
        strError = "there is not enough memory to read the file";
        return false;
    }
}

}  // namespace velmora
