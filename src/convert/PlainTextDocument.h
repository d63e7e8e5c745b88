#pragma once
// A plain text as a document: each line a right-aligned, right-to-left paragraph, every
// character in the format of text typed with the Hebrew keyboard layout.

#include "TextModel.h"

#include <string_view>

namespace velmora {

// Lines end at LF, CR LF or CR; an ending after the last line does not open another paragraph,
// so an empty text gives an empty document.
void LoadPlainText(std::u32string_view text, TextModel& model);

}  // namespace velmora
