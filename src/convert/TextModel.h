#pragma once
// An in-memory rich-text document with the editor operations of the rich-edit control: text with
// one character format per character, paragraphs with an alignment, layout lines and a selection.
// It is what the conversion runs on; the editor's view fills one from its own document.

#include "CharFormat.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmora {

// The format of id nFormatId (BasicTextModel::InternFormat) from nStart of an appended text to
// the next stretch's start.
struct FormatStretch {
    uint32_t nStart = 0;
    uint32_t nFormatId = 0;
};

struct Paragraph {
    int32_t nStart = 0;              // position of the paragraph's first character
    uint16_t wAlignment = PFA_LEFT;  // PFA_LEFT, PFA_RIGHT, PFA_CENTER or PFA_JUSTIFY
    bool bRtl = false;               // right-to-left reading order (\rtlpar)
};

// CharT is char32_t for Unicode text, or char8_t for Windows-1255 bytes (held as char8_t for
// their unsigned value): text known to fit that code page, read and converted a byte a character.
template <typename CharT>
class BasicTextModel final {
public:
    using String = std::basic_string<CharT>;
    using StringView = std::basic_string_view<CharT>;

    BasicTextModel();

    // --- Building. A model starts as one empty left-aligned paragraph. ---
    // Appends characters in one format to the last paragraph. CR and LF are ordinary characters
    // here; paragraphs end only through BreakParagraph.
    void Append(StringView text, const CharFormat& cf);
    void Append(CharT ch, const CharFormat& cf);
    // Appends characters in the format InternFormat gave nFormatId: for a writer that keeps the
    // ids of the formats it uses, with no look-up of the format on every run.
    void Append(StringView text, uint32_t nFormatId);
    // Appends text in stretches of formats: the first starts at 0, starts never fall, a stretch
    // may be empty; those that start past the text are left out.
    void Append(StringView text, std::span<const FormatStretch> stretches);
    // Holds cf once and returns its id (as FormatIdAt reports it).
    uint32_t InternFormat(const CharFormat& cf);
    // Appends n characters in one format (n > 0) and returns where they stand, for the caller to
    // write them; the pointer holds until the text next changes.
    CharT* AppendSpace(size_t n, const CharFormat& cf);
    // Ends the last paragraph with CR LF in cfBreak and opens a new one with the same alignment
    // and direction.
    void BreakParagraph(const CharFormat& cfBreak);
    void BreakParagraph(uint32_t nBreakFormatId);     // in the format InternFormat gave that id
    void SetParagraphAlignment(uint16_t wAlignment);  // of the last paragraph
    void SetParagraphRtl(bool bRtl);                  // of the last paragraph
    void Reserve(size_t nChars);
    // Room for nRuns stretches of one format, for a writer that knows about how many will come.
    void ReserveFormatRuns(size_t nRuns);
    void Clear();

    // --- Layout. ---
    // Cuts every paragraph into lines of at most nColumns characters (0: one line a paragraph):
    // a line wider than the columns breaks after its last blank, blanks that meet the edge stay
    // on the line, a word wider than the line is broken; the CR LF belong to the last line.
    void LayOut(int32_t nColumns);
    // Takes the line starts of an outside layout (the view's). The first must be 0, they must
    // rise strictly and stay below the text length (or be the single 0 of an empty text).
    // Returns false and keeps the current lines when they do not.
    bool SetLineStarts(std::vector<int32_t> lineStarts);
    int32_t LineStart(int32_t nLine) const { return m_lineStarts[static_cast<size_t>(nLine)]; }
    int32_t LineEnd(int32_t nLine) const;  // exclusive, ending characters included

    // --- Direct reads for hot paths. ---
    int32_t Length() const { return static_cast<int32_t>(m_text.size()); }
    const String& Text() const { return m_text; }
    // The character at pos, or 0 ("nothing") outside the text.
    CharT CharAt(int32_t pos) const { return pos >= 0 && pos < Length() ? m_text[static_cast<size_t>(pos)] : CharT(0); }
    // The format of the character at pos; past the end, the format at the insertion point.
    const CharFormat& FormatAt(int32_t pos) const;
    // Formats are held once each; equal ids mean equal formats. pos must lie inside the text.
    uint32_t FormatIdAt(int32_t pos) const {
        return m_formatRunIds.size() == 1 ? m_formatRunIds[0] : m_formatRunIds[FormatRunIndex(pos)];
    }
    const CharFormat& FormatById(uint32_t id) const { return m_formats[id]; }
    // The end (exclusive) of the stretch of equal format that holds pos.
    int32_t FormatRunEnd(int32_t pos) const;
    size_t ParagraphCount() const { return m_paragraphs.size(); }
    const Paragraph& ParagraphAt(size_t i) const { return m_paragraphs[i]; }
    size_t ParagraphIndexAt(int32_t pos) const;  // the paragraph holding pos (its CR LF included)
    int32_t ParagraphEnd(size_t i) const;        // exclusive, CR LF included
    // The format given to text typed into an empty document.
    void SetDefaultFormat(const CharFormat& cf) { m_defaultFormat = cf; }

    // --- Editor operations, as the rich-edit control offered them. ---
    // SetSel selects [nStart, nEnd); 0, -1 selects everything; a range outside the text selects
    // nothing. GetSelText is empty when the selection lies outside the text. GetSelCharFormat:
    // one character reports CFM_ALL_SINGLE; a longer selection clears the mask bit of every
    // attribute that differs inside it; an empty selection reports the format at the insertion
    // point. GetSelParaFormat has PFM_ALIGNMENT only when every paragraph the selection touches
    // has one alignment. GetLine is one layout line with its ending characters.
    void SetSel(int32_t nStart, int32_t nEnd);
    void GetSel(int32_t& nStart, int32_t& nEnd) const;
    String GetSelText() const;
    CharFormat GetSelCharFormat() const;
    ParaFormat GetSelParaFormat() const;
    int32_t GetLineCount() const { return static_cast<int32_t>(m_lineStarts.size()); }
    String GetLine(int32_t nLine) const;
    int32_t GetTextLength() const { return Length(); }

    // Sets the selection without the clamping of SetSel; the engine uses it to leave the same
    // selection behind as the control would, with positions it has already checked.
    void SetSelRaw(int32_t nStart, int32_t nEnd) {
        m_nSelStart = nStart;
        m_nSelEnd = nEnd;
    }

    // Changes whenever the text changes, so that indexes built over it can tell they are stale.
    uint64_t Revision() const { return m_nRevision; }

private:
    void AppendFormatRun(uint32_t id, int32_t nStart);
    // The index of the format run holding pos. Reads move mostly forward through the text, so the
    // last answer is tried first and its successor next, before a binary search.
    size_t FormatRunIndex(int32_t pos) const;
    void ResetLinesToParagraphs();
    void LayOutParagraph(int32_t nStart, int32_t nTextEnd, int32_t nColumns);

    String m_text;
    // Maximal stretches of equal format: where each starts, and its index into m_formats.
    std::vector<int32_t> m_formatRunStarts;
    std::vector<uint32_t> m_formatRunIds;
    mutable size_t m_nFormatHint = 0;
    std::vector<CharFormat> m_formats;
    std::unordered_map<uint64_t, std::vector<uint32_t>> m_formatIndex;  // hash -> candidates
    uint32_t m_nLastFormat = UINT32_MAX;
    std::vector<Paragraph> m_paragraphs;
    mutable size_t m_nParagraphHint = 0;
    std::vector<int32_t> m_lineStarts;
    int32_t m_nLayoutColumns = 0;
    CharFormat m_defaultFormat;
    int32_t m_nSelStart = 0;
    int32_t m_nSelEnd = 0;
    uint64_t m_nRevision = 0;
};

// The editor's document and every conversion's: Unicode text.
using TextModel = BasicTextModel<char32_t>;
// Windows-1255 text, byte for byte.
using Cp1255TextModel = BasicTextModel<char8_t>;

extern template class BasicTextModel<char32_t>;
extern template class BasicTextModel<char8_t>;

}  // namespace velmora
