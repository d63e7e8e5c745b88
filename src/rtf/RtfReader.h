#pragma once
// Reads an RTF document into a text model (or any IRtfSink).
//
// What the reader holds on to: paragraphs end at \par (also \sect, \page, \column and a table's
// \row); a \par at the very end ends the last paragraph without opening an empty one. \line is a
// paragraph break with the same paragraph format. \tab and a table's \cell are a tab character.
// Text of \fonttbl, \colortbl, the stylesheet, list tables, \info, pictures, objects' data, field
// instructions, headers, footers, footnotes, comments and every other \*\ destination is not
// document text; a field's result is (a SYMBOL field whose result shows nothing shows the character
// its instruction names), and an object's \result, and so is a text box (\shptxt, \dptxbxtext),
// read as paragraphs of its own at its anchor. A note reads as its mark where it is anchored: its
// number (an endnote's i, ii...), \chftn or not, and after superscript text in the same group that
// text once more instead. A paragraph of a list begins with its label: the list table's (RtfListTable.h)
// when it knows the paragraph's \ls, else the one its writer rendered in \listtext or \pntext, else
// the one its Word 6 numbering gives (RtfOldNumbering.h); in a table row each cell's label goes at
// the cell's start. Hidden text (\v), line breaks in it included, is left out, as a reader that
// shows the document would; a \cell in it still ends its cell.
// Character sets follow the font table, or, when no font declares \fcharset177, are inferred
// (Hebrew-script characters 177, other letters their font's set, the rest 177 in right-to-left
// paragraphs). \'xx and 8-bit bytes are decoded in the code page of the current font's set
// (\fcharset0 is Windows-1252, 177 Windows-1255, 204 Windows-1251, 128 Shift JIS, 77 Mac...); a
// font without \fcharset, with set 1, or with a set that names no code page follows the document's
// \ansicpg (or \mac, \pc, \pca), else Windows-1252; a code page a font names (\cpg) comes before
// its set. Pages without a table of the reader's own come from iconv (IconvCodePages.h); a
// double-byte character's lead and trail bytes may come in separate escapes or as raw bytes, in
// labels as in text. A broken \'x escape takes the two characters after it with it. \uN (signed or
// not, surrogate pairs as two words) gives its character and skips \ucN fallback characters (a low
// surrogate right after its high half is never one); NUL bytes, \'00 and \u0 carry nothing; an
// undefined byte or a lone surrogate becomes U+FFFD. In \rtlch text \ab \ai \afsN \afN, once set,
// take the place of \b \i \fsN \fN.
//
// When a file cannot be read: input that does not begin with "{\rtf" is refused; a file that ends
// inside a group other than the document's own (it was cut off) is refused, while a missing last
// '}' alone is accepted; a \binN that runs past the end of the file is refused. Groups nested
// deeper than kMaxRtfGroupDepth read as any other; past that depth a group keeps a state of its
// own only once a word in it is heeded, so that braces alone cost no memory there.

#include "RtfGrowingInput.h"
#include "RtfSink.h"
#include "RtfUnkept.h"
#include "TextModel.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

inline constexpr size_t kMaxRtfGroupDepth = 4096;

struct RtfReadResult {
    bool bOk = true;
    std::string strError;            // one line, lower case, without the file name: "not an RTF document"
    bool bLastBraceMissing = false;  // read, though the document's own '}' never came: maybe cut short
    // Read, though the file ends where no whole file can: inside a group other than the document's
    // own, or inside binary data. One line like strError: "the file ends inside a group".
    std::string strCutShort = {};
    uint8_t nUnkept = 0;  // RtfUnkept: what the document shows that the text model does not keep
};

// True when bytes begin with "{\rtf", after an optional UTF-8 byte order mark and blanks, tabs and
// line ends.
bool LooksLikeRtf(std::string_view bytes);

// Reads bytes into sink. Time and memory are linear in the size of the input. Running out of
// memory is a failure like the others, not an exception.
RtfReadResult ReadRtf(std::string_view bytes, IRtfSink& sink);

// The same over input that is still arriving: the tokens, and so the result, are those of the
// whole input. Bytes before those the sink has heard are read (InputReadTo) are not looked at
// again.
RtfReadResult ReadRtf(IRtfGrowingInput& input, IRtfSink& sink);

// Clears model and reads bytes into it. On failure model holds what was read up to the fault.
RtfReadResult ReadRtf(std::string_view bytes, TextModel& model);

}  // namespace velmora
