#pragma once
// Helpers shared by the tests of models: UTF-8 <-> UTF-32, a readable dump of a model, model
// comparison that names the first difference, and the test data folder.

#include "TextModel.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::test {

std::u32string FromUtf8(std::string_view utf8);
std::string ToUtf8(std::u32string_view text);

// One line per paragraph: alignment letter (L R C J), '<' for right-to-left, '|', then the runs as
// "[attributes:text]". Attributes appear only when not the default: b i u s, #rrggbb for an
// explicit colour, hN for a yHeight other than 240, cN for a character set other than 177. The
// CR LF of a break are not shown.
std::string DumpModel(const TextModel& model);

// "" when a and b hold the same text, formats (the CR LF of breaks included), paragraph
// alignments and directions; else a description of the first difference.
std::string CompareModels(const TextModel& a, const TextModel& b);

// The shared test data folder, or an empty path when it is not there.
std::filesystem::path TestDataDir();

std::string ReadFileBytes(const std::filesystem::path& path);

}  // namespace velmora::test
