#pragma once
// Readable test text: capital letters stand for Hebrew letters (A = alef ... Z = the 26th letter
// from U+05D0), '~' for the right-to-left mark and '*' for the middle dot, so that a case reads
// "ABC def" -> "def CBA". A document is written with markup that switches formats:
//   {b} {i} {u} toggle bold, italic, underline   {L} toggles the Latin character set (0)
//   {red} {auto} set the colour                   {s=160} sets the size in twips
//   | ends a paragraph; a paragraph may start with <, ^ or > for left, centre or right.

#include "TextModel.h"

#include <string>
#include <string_view>

namespace velmora::test {

std::u32string Heb(std::string_view ascii);
std::string Vis(std::u32string_view text);

// Builds a document from the markup above; paragraphs without a sign are right-aligned.
TextModel MakeDoc(std::string_view markup);

}  // namespace velmora::test
