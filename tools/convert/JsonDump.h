#pragma once
// The document model as one JSON object: paragraphs with their alignment and their runs of
// equal format.

#include "TextModel.h"

#include <string>

namespace velmora {

// {"paragraphs":[{"align":"right","runs":[{"text":"...","bold":false,"italic":false,
// "underline":false,"strike":false,"color":"auto","size":240,"charset":177}]}]}, UTF-8.
std::string DumpModelJson(const TextModel& model);

}  // namespace velmora
