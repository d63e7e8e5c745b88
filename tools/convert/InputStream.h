#pragma once
// The converter's input, a file or standard input, read a large block at a time.

#include "ConvertJob.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

class CInputStream final : public IInputSource {
public:
    CInputStream() = default;
    ~CInputStream();
    CInputStream(const CInputStream&) = delete;
    CInputStream& operator=(const CInputStream&) = delete;

    // Opens the file at strPath, or standard input for "-". Returns false with a one-line reason
    // (without the file name) for a missing or unreadable file, a folder, or a file too large for
    // a document (2 GiB and more).
    bool Open(const std::string& strPath, std::string& strError);
    // Reads up to nSize bytes into pBuffer: the number read, 0 at the end of the input, or -1
    // with a one-line reason in strError.
    std::ptrdiff_t Read(char* pBuffer, size_t nSize, std::string& strError) override;
    // A regular file that was opened at its start is mapped whole; nothing else is.
    std::string_view MapWhole() override;
    // Keeps at most about kMappedWindowBytes of the mapped file in memory: what lies behind the
    // reader is let go, the next stretch is mapped in at once (cheaper than a fault a page).
    void MappedReadTo(size_t nBytes) override;
    static constexpr size_t kMappedWindowBytes = size_t{8} << 20;

private:
    int m_fd = -1;
    bool m_bOwned = false;
    size_t m_nFileSize = 0;  // of a regular file opened at its start, else 0
    void* m_pMapped = nullptr;
    size_t m_nReleased = 0;   // mapped bytes before this are let go
    size_t m_nPopulated = 0;  // mapped bytes before this are brought in
};

}  // namespace velmora
