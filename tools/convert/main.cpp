// velmora-convert: the editor's conversions for shell scripts and batch work.

#include "AtomicFile.h"
#include "ConvertJob.h"
#include "ConvertOptions.h"
#include "InputStream.h"

#include <cerrno>
#include <iostream>
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

    std::string error;
    const bool bStdin = options.strInput == "-";
    const std::string strInputName = bStdin ? "standard input" : options.strInput;
    CInputStream input;
    if (!input.Open(options.strInput, error)) {
        std::cerr << "velmora-convert: " << strInputName << ": " << (error.empty() ? "cannot be read" : error) << "\n";
        return 1;
    }

    // Standard output takes the output as it comes; a file is replaced only once it is complete.
    const bool bToStdout = options.strOutput.empty() || options.strOutput == "-";
    std::string fileOutput;
    auto write = [&](std::string_view bytes) {
        if (bToStdout) return WriteStandardOutput(bytes);
        fileOutput.append(bytes);
        return true;
    };
    const ConvertOutcome outcome = RunStreamingConversion(input, strInputName, options, write);
    if (!outcome.strMessage.empty()) std::cerr << "velmora-convert: " << outcome.strMessage << "\n";
    if (outcome.nExitCode != 0) return outcome.nExitCode;

    if (bToStdout) {
        if (outcome.bOutputFailed) {
            std::cerr << "velmora-convert: standard output: the output could not be written\n";
            return 1;
        }
    } else if (!WriteFileAtomically(options.strOutput, fileOutput, error)) {
        std::cerr << "velmora-convert: " << options.strOutput << ": " << error << "\n";
        return 1;
    }
    return 0;
}
