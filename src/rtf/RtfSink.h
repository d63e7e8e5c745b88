#pragma once
// What the RTF reader produces, one call per event, in document order. The engine's TextModel
// implements it (TextModelSink.h); the editor implements it over its QTextDocument.

#include "CharFormat.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace velmora {

// A character format and the number the reader gave it: through one read, equal numbers mean
// equal formats (though equal formats may have different numbers), so that a sink can know a
// format again by its number without comparing it.
struct KeyedCharFormat {
    CharFormat cf;
    uint32_t nKey = 0;
};

// A format from nStart of the text handed on with it to the next run's start (or the text's
// end). The first run starts at 0, starts never fall, and a run may be empty.
struct KeyedRun {
    size_t nStart = 0;
    KeyedCharFormat format;
};

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
    // What the reader calls: text with its runs, one call for as much of a paragraph as no line
    // break cuts, and EndParagraph with the format's number. A sink that has no use for either
    // need not override them.
    virtual void AppendKeyedRuns(std::u32string_view text, std::span<const KeyedRun> runs) {
        for (size_t i = 0; i < runs.size(); ++i) {
            const size_t nEnd = i + 1 < runs.size() ? runs[i + 1].nStart : text.size();
            if (nEnd > runs[i].nStart)
                AppendText(text.substr(runs[i].nStart, nEnd - runs[i].nStart), runs[i].format.cf);
        }
    }
    virtual void EndKeyedParagraph(const KeyedCharFormat& formatBreak) { EndParagraph(formatBreak.cf); }
    // The reader has gone past the first nBytes of its input (told at paragraph ends, every few
    // megabytes) and looks at none of them again, not even the token it is at: a sink that holds
    // the input may let those pages go.
    virtual void InputReadTo(size_t /*nBytes*/) {}
};

}  // namespace velmora
