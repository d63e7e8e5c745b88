#pragma once
// The converter's input, a file or standard input, read a large block at a time.

#include <cstddef>
#include <string>

namespace velmora {

class CInputStream {
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
    std::ptrdiff_t Read(char* pBuffer, size_t nSize, std::string& strError);

private:
    int m_fd = -1;
    bool m_bOwned = false;
};

}  // namespace velmora
