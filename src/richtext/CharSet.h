#pragma once
// The character set of a character (177 = Hebrew) as the view keeps it: a custom property of the
// character's QTextCharFormat, so that it travels with the text through editing, undo, copy and
// paste inside the view, and into RTF through the snapshot.
//
// How text gets its set:
//  - Typed text: while the Hebrew keyboard layout is active every typed character gets 177. With
//    any other layout a Hebrew-script character (U+0590..U+05FF, U+FB1D..U+FB4F) gets 177 and any
//    other character keeps the set of the insertion format (the format typing would use).
//  - Pasted rich text, which carries no set of its own, gets the inference used for RTF documents
//    that declare no Hebrew font: a Hebrew-script character gets 177, any other letter keeps the
//    pasted format's set (0 when it has none), and every other character (blank, digit,
//    punctuation, symbol) gets 177 in a right-to-left paragraph and the pasted set elsewhere.
//  - A format without the property reads as 177: a new document types Hebrew.

#include "UnicodeLetters.h"  // InferredCharSet, the rule for pasted text

#include <QTextFormat>

#include <cstdint>

class QTextCharFormat;

namespace velmora {

inline constexpr int kCharSetProperty = QTextFormat::UserProperty + 1;

// The set stored in cf, or HEBREW_CHARSET (177) when cf carries none.
uint8_t CharSetOf(const QTextCharFormat& cf);
void SetCharSet(QTextCharFormat& cf, uint8_t nCharSet);
bool HasCharSet(const QTextCharFormat& cf);

// The set a typed character gets (rule above).
uint8_t TypedCharSet(char32_t ch, bool bHebrewLayout, uint8_t nInsertionSet);

}  // namespace velmora
