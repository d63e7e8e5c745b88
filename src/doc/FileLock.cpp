#include "FileLock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

CFileLock& CFileLock::operator=(CFileLock&& other) noexcept {
    if (this != &other) {
        Unlock();
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

bool CFileLock::TryLock(const QString& strPath) {
    Unlock();
    // flock, not fcntl: its lock belongs to this open file, so a second open in the same process
    // is refused too, and closing some other descriptor of the file does not drop it.
    const QByteArray path = QFile::encodeName(strPath);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    // A process that took the lock just before may have removed the file since: a lock on the
    // removed file would guard nothing.
    struct stat opened = {};
    struct stat named = {};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &opened) != 0 || ::stat(path.constData(), &named) != 0 ||
        opened.st_ino != named.st_ino || opened.st_dev != named.st_dev) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void CFileLock::Unlock() {
    if (m_fd < 0) return;
    ::close(m_fd);
    m_fd = -1;
}

}  // namespace velmora
