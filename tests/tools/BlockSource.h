#pragma once

// An input that hands its bytes over a few at a time, so that lines, CR LF pairs, multi-byte
// characters and windows fall across the read blocks.

#include "ConvertJob.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

namespace velmora {

class CBlockSource final : public IInputSource {
public:
    CBlockSource(std::string bytes, size_t nBlock) : m_bytes(std::move(bytes)), m_nBlock(nBlock) {}
    std::ptrdiff_t Read(char* pBuffer, size_t nSize, std::string&) override {
        const size_t n = std::min({nSize, m_nBlock, m_bytes.size() - m_nPos});
        std::copy_n(m_bytes.data() + m_nPos, n, pBuffer);
        m_nPos += n;
        return static_cast<std::ptrdiff_t>(n);
    }

private:
    std::string m_bytes;
    size_t m_nPos = 0;
    size_t m_nBlock;
};

}  // namespace velmora
