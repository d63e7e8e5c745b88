#pragma once
// What a document shows that the reader does not keep: the text model holds the text with its
// character and paragraph formats, so a program that saved over the file what it read from it
// would lose these, and should say so first. Each is counted only where it holds something.

#include <cstdint>

namespace velmora {

enum RtfUnkept : uint8_t {
    kUnkeptPictures = 1,        // \pict: pictures, also those that shapes and objects show
    kUnkeptHeadersFooters = 2,  // \header, \footer and their l, r and f forms
    kUnkeptNotes = 4,           // the text of footnotes and endnotes (their marks are kept)
    kUnkeptComments = 8,        // \annotation
    kUnkeptHiddenText = 16,     // \v
};

}  // namespace velmora
