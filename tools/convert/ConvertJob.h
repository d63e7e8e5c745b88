#pragma once
// One run of velmora-convert over bytes already read: the document is built, converted and
// encoded; nothing here touches files, so every outcome can be checked directly.

#include "ConvertOptions.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace velmora {

struct ConvertOutcome {
    int nExitCode = 0;           // 0 success, 1 input or encoding error
    std::string strOutput;       // the bytes to write (nothing on failure)
    std::string strMessage;      // lines for standard error, each without the program name; may be empty
    bool bOutputFailed = false;  // a streamed conversion's writer failed; the caller names the output
};

// Takes the input bytes over and lets them go as soon as the document is built.
ConvertOutcome RunConversion(std::string input, const std::string& strInputName, const ConvertOptions& options);

// Where a streamed conversion reads its input.
class IInputSource {
public:
    virtual ~IInputSource() = default;
    // Reads up to nSize bytes into pBuffer: the number read, 0 at the end, or -1 with a one-line
    // reason in strError.
    virtual std::ptrdiff_t Read(char* pBuffer, size_t nSize, std::string& strError) = 0;
    // The whole input, from its first byte, when it can be had without reading it (a file
    // mapped into memory); empty otherwise. Valid while the source lives.
    virtual std::string_view MapWhole() { return {}; }
    // The reading of the mapped input has gone past its first nBytes: those pages may leave
    // memory (they stay readable), and the next stretch is brought in ahead of the reader.
    virtual void MappedReadTo(size_t /*nBytes*/) {}
};
// Takes the next bytes of output; false when they could not be written.
using OutputWriter = std::function<bool(std::string_view bytes)>;

// Output held back before any is written, so that a conversion failing within it writes
// nothing at all; beyond it, output already written to standard output stays written when a
// later part fails (an output file is replaced only on success). Small enough to stay in the
// cache: a larger buffer costs more in fresh pages than the conversion itself.
inline constexpr size_t kHeldOutputBytes = size_t{1} << 20;
// Bytes read at a time.
inline constexpr size_t kInputBlockBytes = size_t{1} << 18;

// The same conversion, reading the input from source and handing the output to fnWrite (the
// result's strOutput stays empty). --html and --plain without --select convert the document
// while it is read, a window of paragraphs at a time, and write the output as it comes, so
// memory stays bounded whatever the input's size; the other modes read the input whole.
// nWindowChars: see CStreamingConversion.
ConvertOutcome RunStreamingConversion(IInputSource& source, const std::string& strInputName,
                                      const ConvertOptions& options, const OutputWriter& fnWrite,
                                      int32_t nWindowChars = 0);

}  // namespace velmora
