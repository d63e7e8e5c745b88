// velmora-convert: the editor's conversions for shell scripts and batch work.

#include "AtomicFile.h"
#include "ConvertJob.h"
#include "ConvertOptions.h"
#include "InputStream.h"

#include <algorithm>
#include <cerrno>
#include <iostream>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace {

// Writes to standard output unbuffered: the converter hands over large blocks.
bool WriteStandardOutput(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t nWritten = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (nWritten < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(nWritten));
    }
    return true;
}

int Convert(const velmora::ConvertOptions& options, const std::string& strInputName) {
    using namespace velmora;
    std::string error;
    CInputStream input;
    if (!input.Open(options.strInput, error)) {
        std::cerr << "velmora-convert: " << strInputName << ": " << (error.empty() ? "cannot be read" : error) << "\n";
        return 1;
    }

    // The output goes out as the conversion gives it. OUTPUT is opened (see CAtomicFile) with
    // the first bytes and takes its new contents only when the conversion has succeeded: with
    // nothing to write (an empty document) an existing OUTPUT is left as it is.
    const bool bToStdout = options.strOutput.empty() || options.strOutput == "-";
    CAtomicFile file;
    bool bFileOpen = false;
    std::string fileError;
    auto write = [&](std::string_view bytes) {
        if (bytes.empty()) return true;
        if (bToStdout) return WriteStandardOutput(bytes);
        if (!bFileOpen && !file.Open(options.strOutput, fileError)) return false;
        bFileOpen = true;
        return file.Write(bytes, fileError);
    };
    const ConvertOutcome outcome = RunStreamingConversion(input, strInputName, options, write);
    for (size_t nStart = 0; nStart < outcome.strMessage.size();) {
        const size_t nEnd = std::min(outcome.strMessage.find('\n', nStart), outcome.strMessage.size());
        std::cerr << "velmora-convert: " << std::string_view(outcome.strMessage).substr(nStart, nEnd - nStart) << "\n";
        nStart = nEnd + 1;
    }
    if (outcome.nExitCode != 0) return outcome.nExitCode;

    if (bToStdout) {
        if (!outcome.bOutputFailed) return 0;
        std::cerr << "velmora-convert: standard output: the output could not be written\n";
        return 1;
    }
    if (!outcome.bOutputFailed && (!bFileOpen || file.Commit(fileError))) return 0;
    std::cerr << "velmora-convert: " << options.strOutput << ": " << fileError << "\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velmora;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParseResult parsed = ParseConvertOptions(args);
    if (!parsed.options) {
        std::cerr << "velmora-convert: " << parsed.strError << "\n\n" << kConvertUsage;
        return 2;
    }
    const ConvertOptions& options = *parsed.options;
    if (options.bHelp) {
        std::cout << kConvertUsage;
        return 0;
    }
    if (options.bVersion) {
        std::cout << "velmora-convert " VELMORA_VERSION "\n";
        return 0;
    }
    const std::string strInputName = options.strInput == "-" ? "standard input" : options.strInput;
    try {
        return Convert(options, strInputName);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    // Whatever was already given back, the message must not need much more.
    std::cerr << "velmora-convert: " << strInputName << ": not enough memory\n";
    return 1;
}
