#include "AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <cstdint>
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
    ~CFileDescriptor() { Close(); }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    int Get() const { return m_fd; }
    // Returns 0, or the errno of a failed close (which may report a failed write).
    int Close() {
        if (m_fd < 0) return 0;
        const int nResult = ::close(m_fd);
        m_fd = -1;
        return nResult == 0 ? 0 : errno;
    }

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

bool WriteFileAtomically(const std::string& strPath, std::string_view bytes, std::string& strError) {
    const std::string strTarget = ResolveLinks(strPath);
    struct stat stOld {};
    const bool bExists = ::stat(strTarget.c_str(), &stOld) == 0;
    if (bExists && S_ISDIR(stOld.st_mode)) {
        strError = "it is a folder";
        return false;
    }

    const size_t nSlash = strTarget.rfind('/');
    std::string strTemp = (nSlash == std::string::npos ? std::string() : strTarget.substr(0, nSlash + 1)) + "." +
                          strTarget.substr(nSlash == std::string::npos ? 0 : nSlash + 1) + ".XXXXXX";
    CFileDescriptor file(::mkstemp(strTemp.data()));
    if (file.Get() < 0) {
        strError = "cannot create a file in its folder: " + SystemReason(errno);
        return false;
    }
    auto fail = [&strTemp, &file](std::string& strOut, std::string strReason) {
        file.Close();
        ::unlink(strTemp.c_str());
        strOut = std::move(strReason);
        return false;
    };

    // mkstemp makes the file private; give it what the old file had, or what a new file gets.
    mode_t mode = 0;
    if (bExists) {
        mode = stOld.st_mode & 07777;
    } else {
        const mode_t umaskNow = ::umask(0);
        ::umask(umaskNow);
        mode = 0666 & ~umaskNow;
    }
    if (::fchmod(file.Get(), mode) != 0) return fail(strError, "cannot set the file's permissions: " + SystemReason(errno));
    if (!WriteAll(file.Get(), bytes, strError)) return fail(strError, strError);
    if (::fsync(file.Get()) != 0) return fail(strError, "cannot write the file to the disk: " + SystemReason(errno));
    if (const int nCloseError = file.Close(); nCloseError != 0)
        return fail(strError, "cannot write the file: " + SystemReason(nCloseError));
    if (::rename(strTemp.c_str(), strTarget.c_str()) != 0)
        return fail(strError, "cannot replace the file: " + SystemReason(errno));

    // Make the rename itself durable; the file is already complete either way.
    CFileDescriptor folder(::open(FolderOf(strTarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) ::fsync(folder.Get());
    return true;
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
