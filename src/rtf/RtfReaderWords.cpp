// The reader's control words, by the destination they come in: the body's formatting and
// structure, the font, colour, list and style tables, shapes and starred destinations.

#include "RtfReaderImpl.h"

#include <algorithm>
#include <cstdint>

namespace velmora::rtf_detail {

void CRtfReader::OnBodyWord(RtfWordInfo info, const RtfToken& token) {
    RtfGroupState& state = Top();
    const int32_t nParam = token.nParam;
    switch (info.word) {
    case RtfWord::Unknown: break;
    // Header.
    case RtfWord::Ansi: SetDocumentCodePage(CP_WINDOWS_1252); break;
    case RtfWord::Mac:
    case RtfWord::Pc:
    case RtfWord::Pca: {
        const uint16_t nCodePage = info.word == RtfWord::Mac ? 10000 : info.word == RtfWord::Pc ? 437 : 850;
        SetDocumentCodePage(FindCodePageDecoder(nCodePage).IsKnown() ? nCodePage : CP_WINDOWS_1252);
        break;
    }
    case RtfWord::AnsiCodePage: {
        // Read as a signed 16-bit number, as RTF parameters are, a page past 32767 comes negative
        // (Outlook writes 65001 as -535).
        const int32_t nCodePage = nParam < 0 ? nParam + 0x10000 : nParam;
        SetDocumentCodePage(FindCodePageDecoder(nCodePage).IsKnown() ? static_cast<uint16_t>(nCodePage)
                                                                     : m_formats.DocumentCodePage());
        break;
    }
    // Destinations.
    case RtfWord::FontTable: EnterDestination(RtfDestination::FontTable); break;
    case RtfWord::ColorTable: EnterDestination(RtfDestination::ColorTable); break;
    case RtfWord::SkipDestination: EnterDestination(RtfDestination::Skip); break;
    case RtfWord::UnicodePair: EnterUnicodePair(); break;
    case RtfWord::ListTable: EnterDestination(RtfDestination::ListTable); break;
    case RtfWord::ListOverrideTable: EnterDestination(RtfDestination::ListOverrideTable); break;
    case RtfWord::StyleSheet: EnterDestination(RtfDestination::StyleSheet); break;
    case RtfWord::ListText:
        EnterDestination(RtfDestination::ListText);
        m_listText.clear();
        m_nListTextLead = -1;
        break;
    case RtfWord::Footnote:
        EnterDestination(RtfDestination::Footnote);
        AppendNoteMark();
        break;
    // The mark a note shows is its number, \chftn or not (see AppendNoteMark).
    case RtfWord::FootnoteMark: break;
    case RtfWord::Attachment:
        if (m_nDepth > 2) m_nAttachmentDepth = m_nDepth - 1;  // the group around it, never the document
        break;
    case RtfWord::FootnoteNumbering: m_notes.SetFootnoteFormat(static_cast<int32_t>(info.ch)); break;
    case RtfWord::EndnoteNumbering: m_notes.SetEndnoteFormat(static_cast<int32_t>(info.ch)); break;
    case RtfWord::FootnoteStart: m_notes.SetFootnoteStart(nParam); break;
    case RtfWord::EndnoteStart: m_notes.SetEndnoteStart(nParam); break;
    // A number's texts outside a \pn (in \pnseclvl, say) are not document text.
    case RtfWord::OldNumberingBefore:
    case RtfWord::OldNumberingAfter: EnterDestination(RtfDestination::Skip); break;
    case RtfWord::OldNumbering:
        EnterDestination(RtfDestination::OldNumbering);
        m_oldNumbering.Begin();
        break;
    case RtfWord::Shape:
    case RtfWord::DrawingObject: EnterDestination(RtfDestination::Shape); break;
    case RtfWord::Object: EnterDestination(RtfDestination::Object); break;
    case RtfWord::FieldInstruction: BeginFieldInstruction(); break;
    // Paragraph format.
    case RtfWord::ParagraphDefault:
        state.wAlignment = PFA_LEFT;
        state.direction = RtfDirection::None;
        state.nOutlineLevel = 0;
        state.ClearNumbering();
        break;
    case RtfWord::ListIndex:
        state.nList = nParam;
        state.bListGiven = true;
        break;
    case RtfWord::OutlineLevel: state.nOutlineLevel = nParam; break;
    case RtfWord::ListLevelIndex:
        state.nListLevel = nParam;
        state.bListLevelGiven = true;
        break;
    case RtfWord::StyleIndex: state.nStyle = nParam; break;
    case RtfWord::AlignLeft: state.wAlignment = PFA_LEFT; break;
    case RtfWord::AlignRight: state.wAlignment = PFA_RIGHT; break;
    case RtfWord::AlignCenter: state.wAlignment = PFA_CENTER; break;
    case RtfWord::AlignJustify: state.wAlignment = PFA_JUSTIFY; break;
    case RtfWord::RtlParagraph: state.direction = RtfDirection::Rtl; break;
    case RtfWord::LtrParagraph: state.direction = RtfDirection::Ltr; break;
    // Breaks and characters.
    case RtfWord::Paragraph: EndParagraph(); break;
    case RtfWord::PageBreak:
    case RtfWord::ColumnBreak:
        if (info.word == RtfWord::PageBreak) ++m_nPageBreaks;
        // A page or column break that begins a paragraph ends an empty one, but the paragraph's
        // label (and its number) goes with its text on the next page, as Word shows it.
        m_bLabelAfterBreak = m_paragraph.IsEmpty() && m_nCellStart == 0;
        EndParagraph();
        break;
    case RtfWord::PageNumber: AppendBodyBytes(PageNumberText()); break;
    // Word ends a nested row inside the row's properties, after the row's last \nestcell has
    // ended its text: there it ends no paragraph.
    case RtfWord::NestedRow:
        if (m_nRowPropertiesDepth == 0) EndParagraph();
        break;
    case RtfWord::Line: AddLineBreak(); break;
    case RtfWord::Cell: EndCell(); break;
    case RtfWord::Character: AppendChar(info.ch); break;
    case RtfWord::UnicodeSkip: state.nUnicodeSkip = std::max(nParam, int32_t{0}); break;
    case RtfWord::Unicode:
        AppendUnicode(nParam);
        m_nFallbackToSkip = state.nUnicodeSkip;
        break;
    // Table entries outside their table mean nothing.
    case RtfWord::Charset:
    case RtfWord::Red:
    case RtfWord::Green:
    case RtfWord::Blue: break;
    default:
        // Only a property that takes a new value makes the group's resolved format stale.
        if (ApplyCharacterWord(info.word, token, state)) {
            state.nResolvedGeneration = 0;
            m_bFormatDirty = true;
        }
        break;
    }
}

// A word of character format: true when it gave a property a new value.
bool CRtfReader::ApplyCharacterWord(RtfWord word, const RtfToken& token, RtfGroupState& state) {
    RtfCharacterProps& chr = state.chr;
    const int32_t nParam = token.nParam;
    const bool bOn = !token.bHasParam || nParam != 0;  // \b and \b1 set, \b0 clears
    bool bChanged = false;
    auto set = [&bChanged](auto& property, auto value) {
        bChanged |= !(property == value);
        property = value;
    };
    switch (word) {
    case RtfWord::DefaultFont:
        m_nDefaultFont = nParam;
        set(chr.nFont, nParam);
        break;
    case RtfWord::Plain: {
        RtfCharacterProps plain;
        plain.nFont = m_nDefaultFont;
        set(chr, plain);
        state.bSuper = false;
        break;
    }
    case RtfWord::Superscript:
        if (!state.bSuper) MarkSuperscriptStart(state);
        state.bSuper = true;
        break;
    case RtfWord::SuperscriptOff: state.bSuper = false; break;
    case RtfWord::Bold: set(chr.bBold, bOn); break;
    case RtfWord::Italic: set(chr.bItalic, bOn); break;
    case RtfWord::Underline: set(chr.bUnderline, bOn); break;
    case RtfWord::UnderlineNone: set(chr.bUnderline, false); break;
    case RtfWord::Strike: set(chr.bStrike, bOn); break;
    case RtfWord::Hidden: set(chr.bHidden, bOn); break;
    case RtfWord::Color: set(chr.nColor, nParam); break;
    case RtfWord::FontSize:
        set(chr.nHalfPoints, !token.bHasParam ? kDefaultHalfPoints
                             : nParam > 0     ? std::min(nParam, int32_t{32767})
                                              : chr.nHalfPoints);
        break;
    case RtfWord::AssocBold: set(chr.nAssocBold, static_cast<int8_t>(bOn ? 1 : 0)); break;
    case RtfWord::AssocItalic: set(chr.nAssocItalic, static_cast<int8_t>(bOn ? 1 : 0)); break;
    case RtfWord::AssocFontSize:
        if (nParam > 0) set(chr.nAssocHalfPoints, std::min(nParam, int32_t{32767}));
        break;
    case RtfWord::AssocFont:
        set(chr.nAssocFont, nParam);
        if (chr.bRtlChars) set(chr.nFontsAfterRtl, chr.nFontsAfterRtl | kAssocFontAfterRtl);
        break;
    case RtfWord::Font:
        set(chr.nFont, nParam);
        if (chr.bRtlChars) set(chr.nFontsAfterRtl, chr.nFontsAfterRtl | kOwnFontAfterRtl);
        break;
    case RtfWord::RtlChars:
        set(chr.bRtlChars, true);
        set(chr.nFontsAfterRtl, 0);
        break;
    case RtfWord::LtrChars: set(chr.bRtlChars, false); break;
    default: break;  // words of the list tables, notes and drawings
    }
    return bChanged;
}

void CRtfReader::OnFontTableWord(RtfWord word, int32_t nParam) {
    switch (word) {
    case RtfWord::Font: m_fonts.SetPendingFont(nParam); break;
    case RtfWord::AssocFont: m_fonts.SetPendingAssociatedFont(nParam); break;
    case RtfWord::Charset: m_fonts.SetPendingCharset(nParam); break;
    case RtfWord::FontCodePage: m_fonts.SetPendingCodePage(nParam); break;
    case RtfWord::SkipDestination: EnterDestination(RtfDestination::Skip); break;
    default: break;
    }
}

void CRtfReader::OnColorTableWord(RtfWord word, int32_t nParam) {
    switch (word) {
    case RtfWord::Red: m_colors.SetRed(nParam); break;
    case RtfWord::Green: m_colors.SetGreen(nParam); break;
    case RtfWord::Blue: m_colors.SetBlue(nParam); break;
    default: break;
    }
}

// \* makes a destination ignorable; the few that the reader reads are read all the same.
void CRtfReader::OnStarredWord(RtfWord word) {
    SaveStateBeyondKeptDepth();
    const RtfDestination outer = m_starredFrom;
    if (outer == RtfDestination::Body && word == RtfWord::ListTable) EnterDestination(RtfDestination::ListTable);
    if (outer == RtfDestination::Body && word == RtfWord::ListOverrideTable)
        EnterDestination(RtfDestination::ListOverrideTable);
    if (outer == RtfDestination::Body && word == RtfWord::DrawingObject) EnterDestination(RtfDestination::Shape);
    if (outer == RtfDestination::Shape && word == RtfWord::ShapeInstance) EnterDestination(RtfDestination::Shape);
    if (outer == RtfDestination::Body && word == RtfWord::Footnote) {
        EnterDestination(RtfDestination::Footnote);
        AppendNoteMark();
    }
    if (outer == RtfDestination::Body && word == RtfWord::FieldInstruction) BeginFieldInstruction();
    if (outer == RtfDestination::FieldInstruction && word == RtfWord::FormField)
        EnterDestination(RtfDestination::FormField);
    if (outer == RtfDestination::FormField && word == RtfWord::FormFieldEntry) OnFormFieldWord(word, 0);
    // A result marked ignorable (PowerDesigner writes {\*\fldrslt ...}) is still the text the field
    // shows: readers that know the word read it.
    if (outer == RtfDestination::Body && word == RtfWord::FieldResult) EnterDestination(RtfDestination::Body);
    // So is an object's result marked so ({\object ...{\*\result ...}}).
    if (outer == RtfDestination::Object && word == RtfWord::ObjectResult) EnterDestination(RtfDestination::Body);
    // A \* inside a group marks no destination: before a style word (OpenOffice.org writes a
    // hyperlink's result as {\fldrslt \*\cs10\ul http://...}) the text goes on, as Word and
    // LibreOffice show it.
    if (outer == RtfDestination::Body && word == RtfWord::OtherStyle && m_bStarInGroup)
        EnterDestination(RtfDestination::Body);
    // A nested row's properties hold no text in Word's files; some writers put the row's cells
    // there, and readers show them.
    if (outer == RtfDestination::Body && word == RtfWord::NestedTableProperties) {
        EnterDestination(RtfDestination::Body);
        if (m_nRowPropertiesDepth == 0) m_nRowPropertiesDepth = m_nDepth;
    }
    if (outer == RtfDestination::Body && word == RtfWord::OldNumbering) {
        EnterDestination(RtfDestination::OldNumbering);
        m_oldNumbering.Begin();
    }
}

void CRtfReader::OnListTableWord(RtfWord word, const RtfToken& token) {
    SaveStateBeyondKeptDepth();
    const int32_t nParam = token.nParam;
    switch (word) {
    case RtfWord::List: m_lists.BeginList(); break;
    case RtfWord::ListLevel: m_lists.BeginLevel(); break;
    case RtfWord::ListId: m_lists.SetListId(nParam); break;
    case RtfWord::LevelNumberFormat: m_lists.SetNumberFormat(nParam); break;
    case RtfWord::LevelStartAt: m_lists.SetStartAt(nParam); break;
    case RtfWord::LevelFollow: m_lists.SetFollow(nParam); break;
    // A flag written without a number is set, as \b is.
    case RtfWord::LevelLegal: m_lists.SetLegal(!token.bHasParam || nParam != 0); break;
    case RtfWord::LevelNoRestart: m_lists.SetNoRestart(!token.bHasParam || nParam != 0); break;
    case RtfWord::Font: m_lists.SetLevelFont(nParam); break;
    case RtfWord::LevelText:
        EnterDestination(RtfDestination::LevelText);
        m_lists.BeginLevelText();
        break;
    case RtfWord::LevelNumbers: EnterDestination(RtfDestination::LevelNumbers); break;
    case RtfWord::SkipDestination: EnterDestination(RtfDestination::Skip); break;
    default: break;
    }
}

void CRtfReader::OnListOverrideWord(RtfWord word, const RtfToken& token) {
    switch (word) {
    case RtfWord::ListOverride: m_lists.BeginOverride(); break;
    case RtfWord::ListId: m_lists.SetOverrideListId(token.nParam); break;
    case RtfWord::ListIndex: m_lists.SetOverrideIndex(token.nParam); break;
    case RtfWord::OverrideLevel: m_lists.BeginOverrideLevel(); break;
    case RtfWord::OverrideStartAt: m_lists.SetOverrideRestarts(); break;
    // A level the override redefines is written as a list table's level.
    case RtfWord::ListLevel:
    case RtfWord::LevelNumberFormat:
    case RtfWord::LevelStartAt:
    case RtfWord::LevelFollow:
    case RtfWord::LevelLegal:
    case RtfWord::LevelNoRestart:
    case RtfWord::Font:
    case RtfWord::LevelText:
    case RtfWord::LevelNumbers:
    case RtfWord::SkipDestination: OnListTableWord(word, token); break;
    default: break;
    }
}

// Of a paragraph style, only its list is read: its other properties are the paragraph's own.
void CRtfReader::OnStyleSheetWord(RtfWord word, int32_t nParam) {
    switch (word) {
    case RtfWord::StyleIndex: m_styles.SetStyle(nParam); break;
    case RtfWord::ListIndex: m_styles.SetList(nParam); break;
    case RtfWord::ListLevelIndex: m_styles.SetListLevel(nParam); break;
    case RtfWord::StyleBasedOn: m_styles.SetBasedOn(nParam); break;
    case RtfWord::OtherStyle: m_styles.MarkOtherKind(); break;
    case RtfWord::SkipDestination: EnterDestination(RtfDestination::Skip); break;
    default: break;
    }
}

void CRtfReader::OnShapeWord(RtfWord word) {
    SaveStateBeyondKeptDepth();
    switch (word) {
    case RtfWord::ShapeText:
    case RtfWord::DrawingText: BeginTextBox(); break;
    case RtfWord::SkipDestination: EnterDestination(RtfDestination::Skip); break;
    default: break;
    }
}

// A text box's paragraphs stand on their own where the box is anchored: the paragraph around the
// anchor ends before them and goes on after them.
void CRtfReader::BeginTextBox() {
    if (m_nDepth < 2) return;
    const bool bSplitAnchor = !m_paragraph.IsEmpty();
    if (bSplitAnchor) EndParagraph();
    EnterDestination(RtfDestination::Body);
    // The box's paragraphs are no items of the anchor's list, even where their writer does not
    // reset them (LibreOffice writes no \pard there).
    Top().ClearNumbering();
    // A label rendered for the anchor's paragraph is not the box's.
    m_textBoxes.push_back({m_nDepth, bSplitAnchor, std::exchange(m_listText, {})});
}

}  // namespace velmora::rtf_detail
