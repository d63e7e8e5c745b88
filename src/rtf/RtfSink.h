#pragma once
// What the RTF reader produces, one call per event, in document order. The engine's TextModel
// implements it (TextModelSink.h); the editor implements it over its QTextDocument.

#include "CharFormat.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmora {

class IRtfSink {
public:
    virtual ~IRtfSink() = default;
    // Sets the format of the paragraph being filled: wAlignment is PFA_LEFT, PFA_RIGHT,
    // PFA_CENTER or PFA_JUSTIFY; bRtl is its right-to-left reading order. Comes before the
    // paragraph's text; the first paragraph is the one the sink starts with.
    virtual void SetParagraphFormat(uint16_t wAlignment, bool bRtl) = 0;
    // Appends characters, all in one character format, to the paragraph being filled. Never
    // holds CR or LF of a paragraph break; a run is as long as the document keeps one format.
    virtual void AppendText(std::u32string_view text, const CharFormat& cf) = 0;
    // Ends the paragraph being filled; its break (CR LF) takes cfBreak. The next paragraph
    // starts with the same paragraph format until SetParagraphFormat changes it.
    virtual void EndParagraph(const CharFormat& cfBreak) = 0;
    // The reader has gone past the first nBytes of its input (told at paragraph ends, every few
    // megabytes) and looks at none of them again, not even the token it is at: a sink that holds
    // the input may let those pages go.
    virtual void InputReadTo(size_t /*nBytes*/) {}
};

}  // namespace velmora
