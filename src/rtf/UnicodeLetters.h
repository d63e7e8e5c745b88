#pragma once
// Character classes that decide the character set of text from writers that declare no Hebrew
// font.

#include "CharFormat.h"

#include <cstdint>

namespace velmora {

// Hebrew script: the Hebrew block U+0590..U+05FF and the Hebrew presentation forms U+FB1D..U+FB4F
// (letters, points, cantillation marks and Hebrew punctuation alike).
inline bool IsHebrewScript(char32_t ch) { return (ch >= 0x0590 && ch <= 0x05FF) || (ch >= 0xFB1D && ch <= 0xFB4F); }

// A letter of any script (Unicode general category L): A-Z, a-z, accented Latin, Greek,
// Cyrillic, Hebrew and Arabic letters, ideographs... Digits, marks, blanks, punctuation and
// symbols are not letters.
bool IsLetter(char32_t ch);

// The character set of a character whose writer declared none: a Hebrew-script character is
// Hebrew, any other letter keeps the set of its font (nFontSet), and every other character
// (blank, digit, punctuation, symbol) is Hebrew in a right-to-left paragraph and keeps the font's
// set elsewhere.
inline uint8_t InferredCharSet(char32_t ch, bool bRtlParagraph, uint8_t nFontSet) {
    if (IsHebrewScript(ch)) return HEBREW_CHARSET;
    // Outside a right-to-left paragraph letters and the rest alike keep the font's set.
    if (!bRtlParagraph) return nFontSet;
    return IsLetter(ch) ? nFontSet : HEBREW_CHARSET;
}

}  // namespace velmora
