// List labels (rendered by the writer, or counted from the list table and Word 6 numbering)
// and footnote and endnote marks.

#include "RtfReaderImpl.h"

#include "Utf16Units.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace velmora::rtf_detail {

namespace {

// Appends a \uN's unit to a label: a low surrogate joins the high one before it.
void AppendLabelUnit(std::u32string& text, char32_t unit) {
    if (IsLowSurrogate(unit) && !text.empty() && IsHighSurrogate(text.back())) {
        text.back() = JoinSurrogates(text.back(), unit);
        return;
    }
    text.push_back(unit);
}

}  // namespace

// The label a writer rendered: kept aside until the paragraph ends, for a paragraph that the
// list table does not number.
void CRtfReader::OnListTextWord(RtfWordInfo info, const RtfToken& token) {
    SaveStateBeyondKeptDepth();
    RtfGroupState& state = Top();
    switch (info.word) {
    case RtfWord::Font: state.chr.nFont = token.nParam; break;
    case RtfWord::Plain: state.chr.nFont = m_nDefaultFont; break;
    case RtfWord::Hidden: state.chr.bHidden = !token.bHasParam || token.nParam != 0; break;
    case RtfWord::UnicodeSkip: state.nUnicodeSkip = std::max(token.nParam, int32_t{0}); break;
    case RtfWord::Character:
        if (!state.chr.bHidden) m_listText += info.ch;
        break;
    case RtfWord::Unicode:
        if (!state.chr.bHidden && token.nParam != 0) AppendLabelUnit(m_listText, UnicodeUnit(token.nParam));
        m_nFallbackToSkip = state.nUnicodeSkip;
        break;
    case RtfWord::SkipDestination: EnterDestination(RtfDestination::Skip); break;
    default: break;
    }
}

// A double-byte character's lead and trail may come in separate tokens (\'a1B): a lead byte at the
// end of one waits for the next.
void CRtfReader::OnListTextBytes(std::string_view bytes) {
    if (Top().chr.bHidden) return;
    const int32_t nFont = Top().chr.nFont;
    const CDoubleByteCodePage* pPage =
        m_fonts.DeclaredCharset(nFont) == kSymbolCharset ? nullptr : FontDecoder(nFont).pDoubleByte;
    for (const char c : bytes) {
        const auto byte = static_cast<uint8_t>(c);
        if (const int nLead = std::exchange(m_nListTextLead, -1); nLead >= 0 && pPage != nullptr) {
            if (const std::optional<char32_t> ch = pPage->AfterLead(static_cast<uint8_t>(nLead), byte)) {
                m_listText += *ch;
                continue;
            }
        }
        if (pPage != nullptr && pPage->IsLeadByte(byte)) {
            m_nListTextLead = byte;
            continue;
        }
        const char32_t ch = DecodeLabelByte(nFont, byte);
        if (ch != 0) m_listText += ch == kSymbolPicture ? U'\u2022' : ch;
    }
}

void CRtfReader::OnOldNumberingWord(RtfWordInfo info, const RtfToken& token) {
    SaveStateBeyondKeptDepth();
    RtfGroupState& state = Top();
    switch (info.word) {
    case RtfWord::OldNumberingBody: m_oldNumbering.SetBody(); break;
    case RtfWord::OldNumberingBullet: m_oldNumbering.SetBullet(); break;
    case RtfWord::OldNumberingOther: m_oldNumbering.SetUnlabelled(); break;
    case RtfWord::OldNumberingFormat: m_oldNumbering.SetFormat(static_cast<int32_t>(info.ch)); break;
    case RtfWord::OldNumberingStart: m_oldNumbering.SetStart(token.nParam); break;
    case RtfWord::OldNumberingBefore:
    case RtfWord::OldNumberingAfter:
        EnterDestination(RtfDestination::OldNumberingText);
        state.bNumberingTextAfter = info.word == RtfWord::OldNumberingAfter;
        break;
    // The texts around the number are in the numbering's font (\pnf), as Word draws them: Hebrew
    // words before the number in a Hebrew font, whatever font the paragraph had where {\pn} began.
    case RtfWord::Font:
    case RtfWord::OldNumberingFont: state.chr.nFont = token.nParam; break;
    case RtfWord::UnicodeSkip: state.nUnicodeSkip = std::max(token.nParam, int32_t{0}); break;
    case RtfWord::Unicode:
        if (state.destination == RtfDestination::OldNumberingText)
            m_oldNumbering.AddText(state.bNumberingTextAfter, UnicodeUnit(token.nParam));
        m_nFallbackToSkip = state.nUnicodeSkip;
        break;
    case RtfWord::Character:
        if (state.destination == RtfDestination::OldNumberingText)
            m_oldNumbering.AddText(state.bNumberingTextAfter, info.ch);
        break;
    case RtfWord::SkipDestination: EnterDestination(RtfDestination::Skip); break;
    default: break;
    }
}

void CRtfReader::OnOldNumberingText(std::string_view bytes) {
    for (const char c : bytes) {
        const char32_t ch = DecodeLabelByte(Top().chr.nFont, static_cast<uint8_t>(c));
        if (ch != 0 && ch != kSymbolPicture) m_oldNumbering.AddText(Top().bNumberingTextAfter, ch);
    }
}

// A byte of a label in font nFont: a symbol font's bytes are its bullets, drawn as the common dot.
// A font only named Symbol or Wingdings, in another set, keeps its digits and stops (1.): its
// upper half is pictures.
char32_t CRtfReader::DecodeLabelByte(int32_t nFont, uint8_t byte) const {
    if (byte < 0x20) return byte == '\t' ? U'\t' : U'\0';
    if (m_fonts.DeclaredCharset(nFont) == kSymbolCharset) return kSymbolPicture;
    if (byte >= 0x80 && m_fonts.IsNamedPictureFont(nFont)) return kSymbolPicture;
    if (byte < 0x80) return byte;
    const CodePageDecoder decoder = FontDecoder(nFont);
    if (decoder.pUpperHalf != nullptr) return decoder.pUpperHalf[byte - 0x80];
    if (decoder.pDoubleByte != nullptr) return decoder.pDoubleByte->Single(byte);
    return CodePageUpperHalf(CP_WINDOWS_1252)[byte - 0x80];
}

// Two bytes of a label that make one character in a double-byte font; 0 when they do not.
char32_t CRtfReader::DecodeLabelPair(int32_t nFont, uint8_t lead, uint8_t trail) const {
    const CDoubleByteCodePage* pPage = FontDecoder(nFont).pDoubleByte;
    if (pPage == nullptr || !pPage->IsLeadByte(lead)) return 0;
    return pPage->Pair(lead, trail);
}

// A paragraph of a list (\ls) takes the label the list table gives (as other readers number it),
// and none when the table lacks that list: Word and LibreOffice read the list, not the label its
// writer rendered for readers without lists. Any other paragraph takes that rendered label, if
// any. In a table row, which reads as one paragraph, each cell's text is a paragraph of its own
// and takes its label at its start.
void CRtfReader::InsertListLabel() {
    if (std::exchange(m_bLabelAfterBreak, false)) return;
    // The rest of a paragraph after a text box anchored in it is no new item of its list.
    if (std::exchange(m_bAnchorGoesOn, false)) {
        m_listText.clear();
        return;
    }
    const RtfGroupState& state = Top();
    // A paragraph takes the list and level it does not name from its style.
    int32_t nList = state.nList;
    int32_t nListLevel = state.nListLevel;
    bool bListNamed = state.bListGiven;
    if (!state.bListGiven || !state.bListLevelGiven) {
        const CRtfStyleSheet::StyleList styleList = m_styles.ListOf(state.nStyle);
        if (!state.bListGiven && styleList.nList >= 0) {
            nList = styleList.nList;
            bListNamed = true;
        }
        if (!state.bListLevelGiven && styleList.nLevel >= 0) nListLevel = styleList.nLevel;
    }
    // \ls0 names no list, except where the override table numbers one 0 (OpenOffice.org does).
    const bool bListZero = nList == 0 && bListNamed && m_lists.HasOverride(0);
    std::optional<std::u32string> label;
    if (nList > 0 || bListZero) {
        label = m_lists.NextLabel(
            nList, nListLevel, [this](int32_t nFont, uint8_t byte) { return DecodeLabelByte(nFont, byte); },
            [this](int32_t nFont, uint8_t lead, uint8_t trail) { return DecodeLabelPair(nFont, lead, trail); });
    }
    // A level that follows its label with nothing of its own (\levelfollow2) keeps the blank or
    // tab its writer rendered after the label.
    if (label && !m_listText.empty() && (label->empty() || (label->back() != U'\t' && label->back() != U' ')) &&
        (m_listText.back() == U'\t' || m_listText.back() == U' '))
        *label += m_listText.back();
    if (!label && !m_listText.empty() && nList <= 0) label = m_listText;
    m_listText.clear();
    // Word 6 numbering counts its paragraphs whether or not its writer rendered their labels, and
    // its number wins over the rendered one, which its writer may have left stale (RichEdit writes
    // "2." twice), as Word and LibreOffice number them, unless its format is one only the writer
    // spells out (RtfOldNumbering.h); a paragraph of a list (\ls) is numbered by the list alone, as
    // later writers mean it.
    if (state.nOldNumbering > 0 && nList == 0 && !bListZero) {
        std::u32string oldLabel = m_oldNumbering.NextLabel(state.nOldNumbering, label.value_or(std::u32string()));
        if (!oldLabel.empty()) label = std::move(oldLabel);
    }
    if (!label) return;
    // A surrogate that found no partner stands for a character that is lost; control characters
    // other than the tab carry nothing in a label.
    std::erase_if(*label, [](char32_t ch) { return ch < 0x20 && ch != U'\t'; });
    for (char32_t& ch : *label) {
        if (IsHighSurrogate(ch) || IsLowSurrogate(ch)) ch = kReplacement;
    }
    m_paragraph.Insert(m_nCellStart, *label);
}

// A note reads as its mark where it is anchored: when it follows superscript text in the same
// group, that text again (the writer's own mark, which other readers show twice); else its number,
// whether or not a \chftn stands before it (a note without one is numbered all the same, as
// LibreOffice numbers it). The \chftn itself is a placeholder that shows nothing.
void CRtfReader::AppendNoteMark() {
    const RtfGroupState& state = Top();
    if (state.chr.bHidden) return;
    FlushPending();
    PrepareFormat();
    const size_t nStart = m_paragraph.Length();
    if (state.bSuper && state.nSuperParagraph == m_nParagraphSerial && state.nSuperFrom < nStart) {
        for (const char32_t ch : m_paragraph.TextFrom(state.nSuperFrom)) m_paragraph.Append(ch);
        return;
    }
    for (const char32_t ch : m_notes.NextFootnoteMark()) m_paragraph.Append(ch);
    m_notes.SetMarkPlace(nStart, m_paragraph.Length());
}

// \ftnalt: the note just marked is an endnote, which counts apart and in small roman numbers.
void CRtfReader::MarkEndnote() {
    size_t nStart = 0;
    if (!m_notes.TakeLastMark(m_paragraph.Length(), nStart)) return;
    m_paragraph.Truncate(nStart);
    for (const char32_t ch : m_notes.NextEndnoteMark()) m_paragraph.Append(ch);
}

}  // namespace velmora::rtf_detail
