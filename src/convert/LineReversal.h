#pragma once
// Turns one line between logical and visual order, in place. The same routine serves both ways:
// the emitter applies it to right-to-left runs, Paste from Internet to visual lines.

#include "CharClass.h"

#include <cstddef>
#include <string>

namespace velmora {

// Reverses the line, turns every Latin word back (its edge punctuation excepted) and mirrors
// ( ) [ ] { }. The length never changes; nothing is allocated.
void ReverseRtlText(char32_t* pText, size_t nLength);
void ReverseRtlText(char8_t* pText, size_t nLength);
inline void ReverseRtlText(std::u32string& text) { ReverseRtlText(text.data(), text.size()); }
// The second half of ReverseRtlText, for a line already reversed: turns every Latin word back
// (its edge punctuation excepted) and mirrors ( ) [ ] { }.
void TurnRtlWordsBack(char32_t* pText, size_t nLength);
// The same over Windows-1255 bytes.
void TurnRtlWordsBack(char8_t* pText, size_t nLength);

}  // namespace velmora
