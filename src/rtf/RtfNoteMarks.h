#pragma once
// The automatic marks of footnotes and endnotes (\chftn) as the document shows them: footnotes
// count 1, 2, 3..., endnotes apart as i, ii, iii..., unless the document numbers them otherwise
// (\ftnnalc, \aftnnar, \ftnstart...). The notes' own text is not document text.

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmora {

class CRtfNoteMarks {
public:
    // A number format as \levelnfc numbers them; 9 is the note symbols *, †, ‡, §, **...
    void SetFootnoteFormat(int32_t nFormat) { m_nFootnoteFormat = nFormat; }
    void SetEndnoteFormat(int32_t nFormat) { m_nEndnoteFormat = nFormat; }
    // The number the first note shows.
    void SetFootnoteStart(int32_t nStart);
    void SetEndnoteStart(int32_t nStart);
    // The next footnote's number, counted.
    std::u32string NextFootnoteMark();
    // Where the mark just written stands in its paragraph: [nStart, nEnd).
    void SetMarkPlace(size_t nStart, size_t nEnd);
    // The last mark turned out to be an endnote's (\ftnalt in the note): when it is still the end
    // of its paragraph (nLength characters), uncounts it and gives its start.
    bool TakeLastMark(size_t nLength, size_t& nStart);
    // The next endnote's number, counted.
    std::u32string NextEndnoteMark();

private:
    int32_t m_nFootnotes = 0;
    int32_t m_nEndnotes = 0;
    int32_t m_nFootnoteFormat = 0;
    int32_t m_nEndnoteFormat = 2;
    int32_t m_nFootnoteStart = 1;
    int32_t m_nEndnoteStart = 1;
    bool m_bMarkOpen = false;
    size_t m_nMarkStart = 0;
    size_t m_nMarkEnd = 0;
};

}  // namespace velmora
