#pragma once
// Input that cannot be mapped (a pipe) read into one stretch of address space reserved up front,
// so that every byte keeps its address as more arrives: the RTF reader works on it as it comes,
// and the pages behind the reader are given back.

#include "ConvertJob.h"
#include "RtfGrowingInput.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace velmora {

class CGrowingInput final : public IRtfGrowingInput {
public:
    // nCapacity: the most bytes the input may hold; one more and it is too large.
    explicit CGrowingInput(IInputSource& source, size_t nCapacity = kDefaultCapacity)
        : m_source(source), m_nCapacity(nCapacity) {}
    ~CGrowingInput() override;
    CGrowingInput(const CGrowingInput&) = delete;
    CGrowingInput& operator=(const CGrowingInput&) = delete;

    // Reserves the address space and takes head, the bytes already read from the source. False
    // when the space cannot be had: the input must then be read some other way.
    bool Begin(std::string_view head);
    std::string_view Extend(size_t nWanted) override;
    bool Ended() const override { return m_bEnded; }
    // Reads what is left of the input, holding none of it: the writer of a pipe is not cut off
    // when the document ends before its input does, and the input's size still counts.
    void Drain();
    // The first nBytes are read: their pages go back to the system, and are made unreadable, so
    // that a look at them stops the program rather than reading zeros.
    void ReleaseBefore(size_t nBytes);

    // Why the input ended early, if it did: a read error (its reason), or more bytes than the
    // capacity, or no memory for them.
    bool Failed() const { return m_bFailed; }
    const std::string& Error() const { return m_error; }

    static constexpr size_t kDefaultCapacity = std::numeric_limits<int32_t>::max();  // as a document holds
    // Pages are made writable this many bytes at a time.
    static constexpr size_t kWritableStep = size_t{4} << 20;

private:
    bool MakeWritable(size_t nBytes);
    // Adds a read of nRead bytes to nTotal, the input's bytes so far: the end at 0, a failure
    // for an error or an input past the capacity.
    void Count(std::ptrdiff_t nRead, size_t& nTotal);
    void Fail(std::string reason);

    IInputSource& m_source;
    size_t m_nCapacity;
    char* m_pBase = nullptr;
    size_t m_nReserved = 0;  // bytes of address space held, a whole number of pages
    size_t m_nFilled = 0;
    size_t m_nWritable = 0;  // bytes before this may be written
    size_t m_nReleased = 0;  // bytes before this are given back
    bool m_bEnded = false;
    bool m_bFailed = false;
    std::string m_error;
};

}  // namespace velmora
