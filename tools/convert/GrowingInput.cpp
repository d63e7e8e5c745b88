#include "GrowingInput.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include <sys/mman.h>
#include <unistd.h>

namespace velmora {

namespace {

size_t PageSize() { return static_cast<size_t>(::sysconf(_SC_PAGESIZE)); }

size_t RoundUpToPage(size_t nBytes) {
    const size_t nPage = PageSize();
    return (nBytes + nPage - 1) / nPage * nPage;
}

}  // namespace

CGrowingInput::~CGrowingInput() {
    if (m_pBase != nullptr) ::munmap(m_pBase, m_nReserved);
}

bool CGrowingInput::Begin(std::string_view head) {
    // Address space only: no memory is committed until pages are made writable.
    m_nReserved = RoundUpToPage(m_nCapacity + 1);
    void* p = ::mmap(nullptr, m_nReserved, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (p == MAP_FAILED) return false;
    m_pBase = static_cast<char*>(p);
    const size_t nTaken = std::min(head.size(), m_nCapacity + 1);
    if (!MakeWritable(nTaken)) {
        ::munmap(m_pBase, m_nReserved);
        m_pBase = nullptr;
        return false;
    }
    std::memcpy(m_pBase, head.data(), nTaken);
    m_nFilled = nTaken;
    if (m_nFilled > m_nCapacity) Fail("the file is too large");
    return true;
}

std::string_view CGrowingInput::Extend(size_t nWanted) {
    // One byte past the capacity tells an input that is too large from one that fits exactly.
    nWanted = std::min(nWanted, m_nCapacity + 1);
    while (!m_bEnded && m_nFilled < nWanted) {
        if (m_nFilled == m_nWritable && !MakeWritable(m_nWritable + kWritableStep)) {
            Fail("there is not enough memory to read the file");
            break;
        }
        Count(m_source.Read(m_pBase + m_nFilled, m_nWritable - m_nFilled, m_error), m_nFilled);
    }
    return {m_pBase, m_nFilled};
}

void CGrowingInput::Drain() {
    std::array<char, 1 << 16> buffer;
    size_t nTotal = m_nFilled;
    while (!m_bEnded) {
        Count(m_source.Read(buffer.data(), buffer.size(), m_error), nTotal);
    }
}

void CGrowingInput::Count(std::ptrdiff_t nRead, size_t& nTotal) {
    if (nRead < 0) {
        Fail(m_error.empty() ? "cannot be read" : m_error);
    } else if (nRead == 0) {
        m_bEnded = true;
    } else {
        nTotal += static_cast<size_t>(nRead);
        if (nTotal > m_nCapacity) Fail("the file is too large");
    }
}

bool CGrowingInput::MakeWritable(size_t nBytes) {
    nBytes = std::min(RoundUpToPage(nBytes), m_nReserved);
    if (nBytes <= m_nWritable) return true;
    if (::mprotect(m_pBase + m_nWritable, nBytes - m_nWritable, PROT_READ | PROT_WRITE) != 0) return false;
#ifdef MADV_POPULATE_WRITE
    // The pages at once rather than a fault each as the reads fill them; only a hint.
    ::madvise(m_pBase + m_nWritable, nBytes - m_nWritable, MADV_POPULATE_WRITE);
#endif
    m_nWritable = nBytes;
    return true;
}

void CGrowingInput::ReleaseBefore(size_t nBytes) {
    const size_t nPage = PageSize();
    const size_t nRelease = std::min(nBytes, m_nFilled) / nPage * nPage;
    if (nRelease <= m_nReleased) return;
    ::madvise(m_pBase + m_nReleased, nRelease - m_nReleased, MADV_DONTNEED);
    ::mprotect(m_pBase + m_nReleased, nRelease - m_nReleased, PROT_NONE);
    m_nReleased = nRelease;
}

void CGrowingInput::Fail(std::string reason) {
    m_bFailed = true;
    m_bEnded = true;
    m_error = std::move(reason);
}

}  // namespace velmora
