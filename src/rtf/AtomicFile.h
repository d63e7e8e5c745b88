#pragma once
// Reading a document whole, and saving one so that nothing is lost and nothing is clobbered.

#include <string>
#include <string_view>

namespace velmora {

// One save, written in as many pieces as the caller likes. Open decides where the bytes go:
//  - "/dev/stdout", "/dev/stderr", "/dev/fd/N" and "/proc/self/fd/N" name a stream the process
//    already has open: the bytes go there at its own position, appended where the shell opened it
//    with ">>", into a pipe as well as a file;
//  - an existing file that is not a regular file (a device, a FIFO, a terminal) is written as it
//    is, in place; it is never replaced;
//  - anything else (a regular file, or a new one) is written by way of a temporary file in the
//    same folder that is written in full and flushed to the disk (fsync) before it is renamed over
//    the target, so a failure at any point leaves the previous file as it was. A symbolic link is
//    followed and its target replaced; a link loop is refused. A file with other hard links is
//    replaced under this name only: the other names keep the previous contents. The new file
//    keeps the old one's owner and group where the process may set them, and its permissions,
//    but never a set-user-ID or set-group-ID bit whose owner or group could not be kept. A file
//    that nobody may write, or that this process may not write, is refused, as editors do.
// While the temporary file exists, SIGTERM, SIGINT, SIGHUP and SIGXFSZ remove it before they end
// the process (only where the process left them their default action).
// Failures give a one-line reason in strError, without the file name.
class CAtomicFile {
public:
    CAtomicFile() = default;
    // A save that was not committed is abandoned: the temporary file is removed, the target left.
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    bool Open(const std::string& strPath, std::string& strError);
    bool Write(std::string_view bytes, std::string& strError);
    // Makes the bytes written the file's contents. After a failure the target is as it was
    // (written in place: as far as the device took it).
    bool Commit(std::string& strError);

private:
    enum class Kind {
        None,
        Stream,
        InPlace,
        Replace
    };

    bool OpenReplacement(const std::string& strTarget, std::string& strError);
    bool Fail(std::string& strError, std::string strReason);
    void Abandon();
    void ReleaseGuard();

    Kind m_eKind = Kind::None;
    int m_fd = -1;
    std::string m_strTarget;
    std::string m_strTemp;
    bool m_bGuarded = false;  // the signal handlers know m_strTemp
};

// Writes bytes to strPath as one CAtomicFile save.
bool WriteFileAtomically(const std::string& strPath, std::string_view bytes, std::string& strError);

// Reads the whole file at strPath into bytes. Returns false with a one-line reason in strError
// (without the file name): a missing or unreadable file, a folder, or a file too large for a
// document (2 GiB and more).
bool ReadWholeFile(const std::string& strPath, std::string& bytes, std::string& strError);

}  // namespace velmora
