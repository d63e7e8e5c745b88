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

private:
    int m_fd = -1;
    bool m_bOwned = false;
    size_t m_nFileSize = 0;  // of a regular file opened at its start, else 0
    void* m_pMapped = nullptr;
};

}  // namespace velmora
