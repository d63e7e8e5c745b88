#pragma once
// An exclusive lock on a file that the system drops when its process ends, however it ends: a
// crash or a kill leaves the file unlocked for the next process to take.

#include <QString>

namespace velmora {

class CFileLock {
public:
    CFileLock() = default;
    ~CFileLock() { Unlock(); }
    CFileLock(CFileLock&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    CFileLock& operator=(CFileLock&& other) noexcept;
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    // Takes the lock on strPath, creating the file when there is none; false when another open
    // of the file, in this process or any other, holds it.
    bool TryLock(const QString& strPath);
    void Unlock();
    bool IsLocked() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

}  // namespace velmora
