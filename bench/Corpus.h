#pragma once
// A generated corpus of mixed Hebrew, Latin, numbers, punctuation and brackets, one paragraph a
// line of 40 to 200 characters, the same for every run with the same seed.

#include "TextModel.h"

#include <cstdint>
#include <string>

namespace velmora::bench {

// Plain text, lines ended by CR LF, characters all within Windows-1255.
std::u32string MakeCorpusText(size_t nChars, uint32_t nSeed = 1);

// Mostly Hebrew prose in long paragraphs of 2,000 to 5,000 characters, to be laid out in lines.
std::u32string MakeLongParagraphText(size_t nChars, uint32_t nSeed = 1);

// Short lines (4 to 40 characters) of mixed text, thick with numbers and punctuation.
std::u32string MakeShortLineText(size_t nChars, uint32_t nSeed = 1);

// The same text as a document with Hebrew and Latin fonts, some bold, colour and size, and
// right, centred and left paragraphs.
TextModel MakeCorpusModel(const std::u32string& text, uint32_t nSeed = 1);

}  // namespace velmora::bench
