#pragma once
// One RTF paragraph as the reader collects it. Its alignment, direction and (for documents that
// declare no Hebrew font) the character set of its blanks and punctuation are known only at its
// end, so the text waits here in stretches of one format and is handed on in whole runs.

#include "CharFormat.h"
#include "RtfSink.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class RtfDirection : uint8_t {
    None,
    Ltr,
    Rtl
};

class CRtfParagraph {
public:
    // The format of the characters appended from now on; it holds until the next call, across
    // Emit. Call it before the first character. Its number (CRtfFormatKeys) is what tells one
    // format from another here; the sink hears it doubled, plus 1 where the character set was
    // inferred as Hebrew over the font's.
    void SetFormat(const KeyedCharFormat& format);
    void Append(char32_t ch) {
        *Room(1) = ch;
        ++m_nLength;
    }
    // Appends 8-bit text: bytes below 0x80 as ASCII, the others through pUpperHalf (the upper
    // half of a code page); a byte the code page leaves undefined becomes U+FFFD, a NUL nothing.
    void AppendBytes(std::string_view bytes, const char32_t* pUpperHalf);
    // Every byte's character as AppendBytes appends it (0 for NUL: nothing), 256 of them.
    const char32_t* ByteCharsOf(const char32_t* pUpperHalf);
    // Room for nChars characters after the text, for the caller to write; Commit then takes the
    // first nWritten of them into the text.
    char32_t* Room(size_t nChars) {
        if (m_text.size() - m_nLength < nChars) Grow(nChars);
        return m_text.data() + m_nLength;
    }
    void Commit(size_t nWritten) { m_nLength += nWritten; }
    // A \line: a break inside the paragraph, in format.
    void AddLineBreak(const KeyedCharFormat& format);
    // Puts text (a list label) at nPos, before the character there and in its format: at 0,
    // before everything the paragraph holds, its line breaks included.
    void Insert(size_t nPos, std::u32string_view text);
    // Characters held so far, and cutting them back to nLength (line breaks after it go too).
    size_t Length() const { return m_nLength; }
    std::u32string TextFrom(size_t nStart) const { return std::u32string(Text().substr(std::min(nStart, m_nLength))); }
    void Truncate(size_t nLength);
    // True while the paragraph holds neither characters nor line breaks.
    bool IsEmpty() const { return m_nLength == 0 && m_breaks.empty(); }

    // Hands the paragraph to sink: SetParagraphFormat(wAlignment, direction == Rtl), the runs,
    // and an EndParagraph for each line break. bInferCharset: the document declares no Hebrew
    // font, so Hebrew-script characters take set 177, other letters keep their font's set, and
    // every other character takes 177 in a right-to-left paragraph (direction Rtl, or None with
    // a Hebrew first letter). Returns cfEnd, the format of the paragraph's own end, with its
    // character set decided by the same rule, numbered as the sink hears it. Leaves the paragraph
    // empty.
    KeyedCharFormat Emit(IRtfSink& sink, uint16_t wAlignment, RtfDirection direction, bool bInferCharset,
                         const KeyedCharFormat& formatEnd);

private:
    struct LineBreak {
        size_t nPos;
        KeyedCharFormat format;
    };

    std::u32string_view Text() const { return {m_text.data(), m_nLength}; }
    void Grow(size_t nChars);
    bool FirstLetterIsHebrew() const;
    // Add the runs of [nStart, nEnd), all in format, to m_runs, their starts counted from nBase.
    void CollectRuns(size_t nBase, size_t nStart, size_t nEnd, const KeyedCharFormat& format);
    void CollectInferredRuns(size_t nBase, size_t nStart, size_t nEnd, const KeyedCharFormat& format);
    KeyedCharFormat FinishEmit(const KeyedCharFormat& formatEnd);
    KeyedCharFormat NeutralFormat(const KeyedCharFormat& format) const;

    // The text is m_text's first m_nLength characters: the string only grows, so that text is
    // written in place rather than over zeros filled in first.
    std::u32string m_text;
    size_t m_nLength = 0;
    // Every byte's character (0 for NUL) in the code pages AppendBytes used last: a document
    // goes back and forth between the pages of a few fonts.
    struct ByteChars {
        const char32_t* pUpperHalf = nullptr;
        std::array<char32_t, 256> chars{};
    };
    std::array<ByteChars, 4> m_byteChars;
    size_t m_nLastByteChars = 0;
    // Where each format starts, numbered as the sink hears it: as they stand, the runs of a
    // paragraph without line breaks or inferred character sets.
    std::vector<KeyedRun> m_stretches;
    std::vector<LineBreak> m_breaks;
    std::vector<KeyedRun> m_runs;  // what Emit hands on next
    // Set for the length of one Emit.
    bool m_bInferCharset = false;
    bool m_bRtl = false;
};

}  // namespace velmora
