#pragma once
// A plain text as a document: each line a right-aligned, right-to-left paragraph, every
// character in the format of text typed with the Hebrew keyboard layout.

#include "TextModel.h"

#include <cstddef>
#include <string_view>

namespace velmora {

enum class TextEncoding { Utf8, Cp1255 };

// Lines end at LF, CR LF or CR; an ending after the last line does not open another paragraph,
// so an empty text gives an empty document. The bytes are decoded a line at a time so that no second copy of a large text
// is made. A UTF-8 byte-order mark is not text. On a byte sequence that is not valid in the
// encoding, returns false with nBadOffset at its first byte; the model is then incomplete.
bool LoadPlainTextBytes(std::string_view bytes, TextEncoding eEncoding, TextModel& model, size_t& nBadOffset);

}  // namespace velmora
