// velmora-convert: the editor's conversions for shell scripts and batch work.

#include "AtomicFile.h"
#include "ConvertJob.h"
#include "ConvertOptions.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

bool ReadStandardInput(std::string& bytes) {
    std::freopen(nullptr, "rb", stdin);
    bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return !std::cin.bad();
}

bool WriteStandardOutput(const std::string& bytes) {
    std::freopen(nullptr, "wb", stdout);
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
}

int Convert(const velmora::ConvertOptions& options, const std::string& strInputName) {
    using namespace velmora;
    std::string input;
    std::string error;
    if (options.strInput == "-" ? !ReadStandardInput(input) : !ReadWholeFile(options.strInput, input, error)) {
        std::cerr << "velmora-convert: " << strInputName << ": " << (error.empty() ? "cannot be read" : error) << "\n";
        return 1;
    }

    const ConvertOutcome outcome = RunConversion(std::move(input), strInputName, options);
    if (!outcome.strMessage.empty()) std::cerr << "velmora-convert: " << outcome.strMessage << "\n";
    if (outcome.nExitCode != 0) return outcome.nExitCode;
    // Nothing to write (an empty document): an existing OUTPUT is left as it is.
    if (outcome.strOutput.empty()) return 0;

    if (options.strOutput.empty() || options.strOutput == "-") {
        if (!WriteStandardOutput(outcome.strOutput)) {
            std::cerr << "velmora-convert: standard output: the output could not be written\n";
            return 1;
        }
    } else if (!WriteFileAtomically(options.strOutput, outcome.strOutput, error)) {  // see CAtomicFile
        std::cerr << "velmora-convert: " << options.strOutput << ": " << error << "\n";
        return 1;
    }
    return 0;
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
