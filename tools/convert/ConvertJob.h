#pragma once
// One run of velmora-convert over bytes already read: the document is built, converted and
// encoded; nothing here touches files, so every outcome can be checked directly.

#include "ConvertOptions.h"

#include <string>
#include <string_view>

namespace velmora {

struct ConvertOutcome {
    int nExitCode = 0;         // 0 success, 1 input or encoding error
    std::string strOutput;     // the bytes to write (nothing on failure)
    std::string strMessage;    // one line for standard error, without the program name; may be empty
};

// Takes the input bytes over and lets them go as soon as the document is built.
ConvertOutcome RunConversion(std::string input, const std::string& strInputName, const ConvertOptions& options);

}  // namespace velmora
