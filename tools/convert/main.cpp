// velmora-convert: the editor's conversions for shell scripts and batch work.

#include "AtomicFile.h"
#include "ConvertJob.h"
#include "ConvertOptions.h"

#include <cstdio>
#include <iostream>
#include <iterator>
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

    std::string input;
    std::string error;
    const bool bStdin = options.strInput == "-";
    const std::string strInputName = bStdin ? "standard input" : options.strInput;
    if (bStdin ? !ReadStandardInput(input) : !ReadWholeFile(options.strInput, input, error)) {
        std::cerr << "velmora-convert: " << strInputName << ": " << (error.empty() ? "cannot be read" : error) << "\n";
        return 1;
    }

    const ConvertOutcome outcome = RunConversion(std::move(input), strInputName, options);
    if (!outcome.strMessage.empty()) std::cerr << "velmora-convert: " << outcome.strMessage << "\n";
    if (outcome.nExitCode != 0) return outcome.nExitCode;

    if (options.strOutput.empty() || options.strOutput == "-") {
        if (!WriteStandardOutput(outcome.strOutput)) {
            std::cerr << "velmora-convert: standard output: the output could not be written\n";
            return 1;
        }
    } else if (!WriteFileAtomically(options.strOutput, outcome.strOutput, error)) {
        std::cerr << "velmora-convert: " << options.strOutput << ": " << error << "\n";
        return 1;
    }
    return 0;
}
