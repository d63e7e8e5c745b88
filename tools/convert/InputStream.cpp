#include "InputStream.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

constexpr uint64_t kMaxDocumentBytes = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());

}  // namespace

CInputStream::~CInputStream() {
    if (m_pMapped != nullptr) ::munmap(m_pMapped, m_nFileSize);
    if (m_bOwned && m_fd >= 0) ::close(m_fd);
}

std::string_view CInputStream::MapWhole() {
    if (m_pMapped == nullptr && m_nFileSize > 0) {
        void* p = ::mmap(nullptr, m_nFileSize, PROT_READ, MAP_PRIVATE, m_fd, 0);
        if (p == MAP_FAILED) return {};
        m_pMapped = p;
        MappedReadTo(0);
    }
    return m_pMapped != nullptr ? std::string_view(static_cast<const char*>(m_pMapped), m_nFileSize)
                                : std::string_view();
}

void CInputStream::MappedReadTo(size_t nBytes) {
    if (m_pMapped == nullptr) return;
    auto* pBase = static_cast<char*>(m_pMapped);
    const size_t nPage = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    // A page behind the reader, not the one it stands in.
    const size_t nRelease = nBytes / nPage * nPage;
    if (nRelease > m_nReleased) {
        ::madvise(pBase + m_nReleased, nRelease - m_nReleased, MADV_DONTNEED);
        m_nReleased = nRelease;
    }
    const size_t nPopulate = std::min(m_nFileSize, nBytes + kMappedWindowBytes);
    if (nPopulate > m_nPopulated) {
        const size_t nFrom = m_nPopulated / nPage * nPage;
        // Only a hint: a kernel without it faults the pages in as they are read.
        ::madvise(pBase + nFrom, nPopulate - nFrom, MADV_POPULATE_READ);
        m_nPopulated = nPopulate;
    }
}

// Notes the size of a regular file read from its start, which may then be mapped.
static size_t MappableSize(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) return 0;
    if (::lseek(fd, 0, SEEK_CUR) != 0) return 0;
    return static_cast<size_t>(st.st_size);
}

// A pipe holds 64 KB unless asked for more: a larger one lets the writer run further ahead,
// and each read take more, with fewer turns between the two. Only a hint.
static void WidenPipe(int fd) {
#ifdef F_SETPIPE_SZ
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISFIFO(st.st_mode)) ::fcntl(fd, F_SETPIPE_SZ, 1 << 20);
#else
    (void)fd;
#endif
}

bool CInputStream::Open(const std::string& strPath, std::string& strError) {
    if (strPath == "-") {
        m_fd = STDIN_FILENO;
        m_nFileSize = MappableSize(m_fd);
        WidenPipe(m_fd);
        return true;
    }
    m_fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        strError = errno == EISDIR ? "it is a folder" : std::strerror(errno);
        return false;
    }
    m_bOwned = true;
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) {
        strError = std::strerror(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        strError = "it is a folder";
        return false;
    }
    if (S_ISREG(st.st_mode) && static_cast<uint64_t>(st.st_size) > kMaxDocumentBytes) {
        strError = "the file is too large (2 GiB or more)";
        return false;
    }
    m_nFileSize = MappableSize(m_fd);
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    return true;
}

std::ptrdiff_t CInputStream::Read(char* pBuffer, size_t nSize, std::string& strError) {
    for (;;) {
        const ssize_t nRead = ::read(m_fd, pBuffer, nSize);
        if (nRead >= 0) return nRead;
        if (errno == EINTR) continue;
        strError = std::strerror(errno);
        return -1;
    }
}

}  // namespace velmora
