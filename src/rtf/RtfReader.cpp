#include "RtfReader.h"

#include "OtherFileFormats.h"
#include "RtfGrowingTokenizer.h"
#include "RtfReaderImpl.h"
#include "TextModelSink.h"
#include "Utf16Units.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <optional>
#include <utility>

namespace velmora {

namespace {

// A word that stands for a character a document shows (a tab, which may only lay out, aside).
bool ShowsACharacter(RtfWordInfo info) {
    return (info.word == RtfWord::Character && info.ch != U'\t') || info.word == RtfWord::PageNumber ||
           info.word == RtfWord::Unicode;
}

constexpr std::string_view kRtfSignature = "{\\rtf";

// Where the signature should stand: after a byte order mark and white space.
size_t SignaturePlace(std::string_view bytes) {
    size_t nPos = 0;
    if (bytes.starts_with(kUtf8Bom)) nPos = kUtf8Bom.size();
    while (nPos < bytes.size() &&
           (bytes[nPos] == ' ' || bytes[nPos] == '\t' || bytes[nPos] == '\r' || bytes[nPos] == '\n'))
        ++nPos;
    return nPos;
}

// Offset of "{\rtf" after a byte order mark and white space, or npos.
size_t SignatureOffset(std::string_view bytes) {
    const size_t nPos = SignaturePlace(bytes);
    return bytes.substr(nPos, kRtfSignature.size()) == kRtfSignature ? nPos : std::string_view::npos;
}

// Why bytes that do not begin as RTF are refused, naming what they are when that is known.
std::string NotRtfReason(std::string_view bytes) {
    const std::string_view format = OtherFileFormat(bytes);
    return format.empty() ? "not an RTF document" : "not an RTF document; it is " + std::string(format);
}

// The tokenizer whose offset the reader reports.
const CRtfTokenizer& PlainTokenizer(const CRtfTokenizer& tokenizer) { return tokenizer; }
const CRtfTokenizer& PlainTokenizer(const CRtfGrowingTokenizer& tokenizer) { return tokenizer.Tokenizer(); }

}  // namespace

namespace rtf_detail {

RtfReadResult CRtfReader::Read(std::string_view bytes) {
    const size_t nStart = SignatureOffset(bytes);
    if (nStart == std::string_view::npos) return {false, NotRtfReason(bytes)};
    // Positions in the text model are 32-bit; the text never holds more characters than the file
    // has bytes.
    if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        return {false, "the file is too large"};

    CRtfTokenizer tokenizer(bytes.substr(nStart));
    m_nInputBase = nStart;
    return ReadTokens(tokenizer);
}

RtfReadResult CRtfReader::Read(IRtfGrowingInput& input) {
    std::string_view head = input.Extend(kRtfSignature.size());
    while (!input.Ended() && SignaturePlace(head) + kRtfSignature.size() > head.size())
        head = input.Extend(2 * head.size());
    const size_t nStart = SignatureOffset(head);
    if (nStart == std::string_view::npos) {
        // As many bytes as the whole input would show to tell what else it is.
        while (!input.Ended() && head.size() < kOtherFileFormatBytes) head = input.Extend(kOtherFileFormatBytes);
        return {false, NotRtfReason(head)};
    }
    CRtfGrowingTokenizer tokenizer(input, nStart);
    m_nInputBase = nStart;
    RtfReadResult result = ReadTokens(tokenizer);
    // What a whole input's size refuses at once is known here only once it has arrived.
    if (tokenizer.Arrived() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        return {false, "the file is too large"};
    return result;
}

template <typename Tokenizer>
RtfReadResult CRtfReader::ReadTokens(Tokenizer& tokenizer) {
    m_states.assign(1, RtfGroupState{});
    m_nClosesTakenAsTrail = 0;
    m_nPageBreaks = 0;
    m_nAttachmentDepth = 0;
    m_nUnkept = 0;
    m_pTokenizer = &PlainTokenizer(tokenizer);
    RtfToken token;
    // In the document's text, plain bytes and \'xx escapes mean the same: they come as one token,
    // or, most often, straight into the paragraph.
    while (!m_bDocumentEnded) {
        const bool bBody = Top().destination == RtfDestination::Body;
        if (bBody && m_nPendingLead >= 0 && TakeRawTrailByte(tokenizer)) continue;
        if (bBody && tokenizer.AtJoinedText() && DecodeBodyText(tokenizer)) continue;
        if (!tokenizer.Next(token, bBody)) break;
        switch (token.kind) {
        case RtfTokenKind::GroupStart: OnGroupStart(); break;
        case RtfTokenKind::GroupEnd: OnGroupEnd(); break;
        case RtfTokenKind::ControlWord: OnControlWord(token); break;
        case RtfTokenKind::ControlSymbol: OnControlSymbol(token.chSymbol); break;
        case RtfTokenKind::HexBytes: OnHexBytes(token.text); break;
        case RtfTokenKind::Binary:  // picture data, never text
            SkipsFallback();
            m_nUnkept |= Top().nUnkept;
            break;
        case RtfTokenKind::Text: OnText(token.text); break;
        case RtfTokenKind::End: break;
        }
    }
    if (m_bDocumentEnded) return {true, {}, false, {}, m_nUnkept};
    // A '}' read as a trail byte leaves its group open: that is no sign of a file cut short.
    const size_t nWholeDepth = 1 + m_nClosesTakenAsTrail;
    std::string strCutShort;
    if (tokenizer.BinaryCutShort()) {
        strCutShort = "the file ends inside binary data (\\bin)";
    } else if (m_nDepth > nWholeDepth) {
        strCutShort = "the file ends inside a group";
    }
    // A file cut short (a broken download, a writer that never closes its groups) reads as word
    // processors show it: its groups close where it ends, and what it holds up to there is kept.
    while (m_nDepth > nWholeDepth) OnGroupEnd();
    EndDocument();  // the document's own '}' is missing, or the trail bytes took it
    return {true, {}, m_nDepth > m_nClosesTakenAsTrail, std::move(strCutShort), m_nUnkept};
}

// ------------------------------------------------------------------ groups

void CRtfReader::OnGroupStart() {
    m_nFallbackToSkip = 0;
    m_bStarPending = false;
    m_nGroupStartOffset = m_pTokenizer->Offset();
    ++m_nDepth;
    if (m_states.size() <= kMaxRtfGroupDepth) {
        m_states.push_back(m_states.back());
    } else {
        ++m_nUnkeptDepth;
    }
}

void CRtfReader::OnGroupEnd() {
    m_nFallbackToSkip = 0;
    m_bStarPending = false;
    if (m_nDepth == 0) return;
    const bool bUnkept = m_nUnkeptDepth > 0;
    const bool bSaved = bUnkept && !m_unkeptSaves.empty() && m_unkeptSaves.back().first == m_nUnkeptDepth;
    // A group beyond the limit that saved nothing changed nothing: it closes into the same state.
    const RtfGroupState& outerState = !bUnkept ? m_states[m_states.size() - 2]
                                      : bSaved ? m_unkeptSaves.back().second
                                               : Top();
    const RtfDestination closing = Top().destination;
    const RtfDestination outer = outerState.destination;
    // The Unicode part of a \upr pair in an instruction closes into its pair, still in the instruction.
    if (closing == RtfDestination::FieldInstruction && outer != closing && outerState.unicodePartTo != closing)
        EndFieldInstruction();
    if (m_pendingField.nDepth == m_nDepth && m_nDepth != 0) EndField();
    if (closing == RtfDestination::FontTable) m_fonts.EndEntry();
    if (closing == RtfDestination::StyleSheet) m_styles.EndEntry();
    if (closing == RtfDestination::ColorTable && outer != RtfDestination::ColorTable) m_colors.EndTable();
    const bool bTableEnds =
        (closing == RtfDestination::FontTable || closing == RtfDestination::ColorTable) && outer != closing;
    if (bTableEnds) ForgetResolvedFormats();  // fonts or colours may differ now
    // A text box's last paragraph ends with its box even without a \par.
    if (!m_textBoxes.empty() && m_textBoxes.back().nDepth == m_nDepth) {
        TextBox box = std::move(m_textBoxes.back());
        m_textBoxes.pop_back();
        if (!m_paragraph.IsEmpty()) EndParagraph();
        m_bAnchorGoesOn = box.bSplitAnchor;
        m_listText = std::move(box.anchorLabel);
    }
    if (m_nRowPropertiesDepth == m_nDepth) m_nRowPropertiesDepth = 0;
    // TextEdit ends an attachment's group with one plain byte, 0xAC, whatever the font: in a
    // double-byte font it is a lead byte that no trail byte follows, the mark of a lost character.
    if (m_nAttachmentDepth == m_nDepth) {
        if (m_nPendingLead >= 0) FlushPendingLeadByte();
        m_nAttachmentDepth = 0;
    }
    if (m_nDepth == 1) {
        EndDocument();
        return;
    }
    const bool bNumberingEnds = closing == RtfDestination::OldNumbering && outer == RtfDestination::Body && !bUnkept;
    if (bSaved) {
        Top() = m_unkeptSaves.back().second;
        m_unkeptSaves.pop_back();
    }
    if (bUnkept) {
        --m_nUnkeptDepth;
    } else {
        m_states.pop_back();
    }
    --m_nDepth;
    m_bFormatDirty = true;
    if (bNumberingEnds) Top().nOldNumbering = m_oldNumbering.End();
    // Superscript text before a group that closed is no longer a note's mark.
    if (Top().bSuper) MarkSuperscriptStart(Top());
}

// Called before a word beyond the limit is heeded: the first one in a group keeps the state that
// group opened with, so that a file of nothing but '{' costs no memory past the limit.
void CRtfReader::SaveUnkeptState() {
    if (!m_unkeptSaves.empty() && m_unkeptSaves.back().first == m_nUnkeptDepth) return;
    m_unkeptSaves.emplace_back(m_nUnkeptDepth, Top());
}

// Word writes text that its code page cannot hold twice, {\upr{ANSI}{\*\ud{Unicode}}}, so that
// readers that know Unicode take the second, whole, part, and the first (with '?' for each
// letter the page lacks) is skipped.
void CRtfReader::EnterUnicodePair() {
    if (m_nDepth < 2) return;
    Top().unicodePartTo = Top().destination;
    Top().destination = RtfDestination::Skip;
}

// ------------------------------------------------------------------ tokens

// A token that stands in for the fallback of a \uN is dropped.
bool CRtfReader::SkipsFallback() {
    if (m_nFallbackToSkip <= 0) return false;
    --m_nFallbackToSkip;
    return true;
}

void CRtfReader::OnControlWord(const RtfToken& token) {
    RtfWordInfo info = LookUpRtfWord(token.text, token.nPackedName);
    // A stylesheet is read only where it belongs, in the document's header.
    if (info.word == RtfWord::StyleSheet && Top().destination != RtfDestination::Body)
        info.word = RtfWord::SkipDestination;
    // The low half of a surrogate pair right after its high half is never the high half's fallback:
    // writers that give no fallback (\u55357 \u56835) still mean the one character.
    if (m_nFallbackToSkip > 0 && info.word == RtfWord::Unicode &&
        (m_chPendingHigh != 0 || InstructionAwaitsLowSurrogate()) && IsLowSurrogate(UnicodeUnit(token.nParam)))
        m_nFallbackToSkip = 0;
    if (SkipsFallback()) return;
    SaveStateBeyondKeptDepth();
    switch (Top().destination) {
    case RtfDestination::Body: OnBodyWord(info, token); break;
    case RtfDestination::FontTable: OnFontTableWord(info.word, token.nParam); break;
    case RtfDestination::ColorTable: OnColorTableWord(info.word, token.nParam); break;
    case RtfDestination::Skip:
        if (m_bStarPending) OnStarredWord(info.word);
        if (info.word == RtfWord::UnicodePart) EnterDestination(Top().unicodePartTo);
        break;
    case RtfDestination::FieldInstruction: OnFieldInstructionWord(info, token); break;
    case RtfDestination::ListTable:
    case RtfDestination::LevelText:
    case RtfDestination::LevelNumbers:
        if (info.word == RtfWord::UnicodeSkip) {
            SaveStateBeyondKeptDepth();
            Top().nUnicodeSkip = std::max(token.nParam, int32_t{0});
        } else if (info.word == RtfWord::Unicode && Top().destination == RtfDestination::LevelText) {
            m_lists.AddLevelTextChar(UnicodeUnit(token.nParam));
            m_nFallbackToSkip = Top().nUnicodeSkip;
        } else {
            OnListTableWord(info.word, token);
        }
        break;
    case RtfDestination::ListOverrideTable: OnListOverrideWord(info.word, token); break;
    case RtfDestination::ListText: OnListTextWord(info, token); break;
    case RtfDestination::StyleSheet: OnStyleSheetWord(info.word, token.nParam); break;
    case RtfDestination::Footnote:
        if (info.word == RtfWord::FootnoteIsEndnote) MarkEndnote();
        break;
    case RtfDestination::Shape: OnShapeWord(info.word); break;
    case RtfDestination::FormField: OnFormFieldWord(info.word, token.nParam); break;
    case RtfDestination::FormFieldEntry: break;
    case RtfDestination::OldNumbering:
    case RtfDestination::OldNumberingText: OnOldNumberingWord(info, token); break;
    case RtfDestination::Object:
        // An object's result is what the document shows of it.
        if (info.word == RtfWord::ObjectResult) EnterDestination(RtfDestination::Body);
        if (info.word == RtfWord::SkipDestination) EnterDestination(RtfDestination::Skip);
        break;
    }
    // What the text of the destination a word begins is, should it be lost.
    if (info.word == RtfWord::SkipDestination && Top().destination == RtfDestination::Skip) {
        Top().nUnkept = static_cast<uint8_t>(info.ch);
    } else if (info.word == RtfWord::Footnote && Top().destination == RtfDestination::Footnote) {
        Top().nUnkept = kUnkeptNotes;
    } else if (Top().nUnkept != 0 && ShowsACharacter(info)) {
        m_nUnkept |= Top().nUnkept;  // a footer of nothing but its page number holds that number
    }
    m_bStarPending = false;
}

void CRtfReader::OnControlSymbol(char chSymbol) {
    if (SkipsFallback()) return;
    if (chSymbol == '*') {
        SaveStateBeyondKeptDepth();
        m_starredFrom = Top().destination;
        m_bStarInGroup = m_pTokenizer->Offset() != m_nGroupStartOffset + 2;  // not "{\*"
        EnterDestination(RtfDestination::Skip);
        m_bStarPending = true;
        return;
    }
    if (Top().destination == RtfDestination::ListText) {
        if (chSymbol == '~') m_listText += U'\u00A0';
        return;
    }
    // An instruction's switches ("\\s", "\\f") are written with escaped backslashes.
    if (Top().destination == RtfDestination::FieldInstruction) {
        if (chSymbol == '\\') m_instruction.AppendBackslash();
        return;
    }
    if (Top().destination != RtfDestination::Body) return;
    switch (chSymbol) {
    case '\\':
    case '{':
    case '}': AppendChar(static_cast<char32_t>(chSymbol)); break;
    case '~': AppendChar(U'\u00A0'); break;  // no-break space
    case '_': AppendChar(U'\u2011'); break;  // no-break hyphen
    case '\n': EndParagraph(); break;        // "\" before a line end is \par
    default: break;                          // \- optional hyphen, \: \| and the unknown
    }
}

// \'xx escapes: bytes in the code page like 8-bit text, but never table separators.
void CRtfReader::OnHexBytes(std::string_view bytes) {
    if (m_nFallbackToSkip > 0) {
        const size_t nSkip = std::min(static_cast<size_t>(m_nFallbackToSkip), bytes.size());
        bytes.remove_prefix(nSkip);
        m_nFallbackToSkip -= static_cast<int64_t>(nSkip);
    }
    if (bytes.empty()) return;
    switch (Top().destination) {
    case RtfDestination::Body: AppendBodyBytes(bytes); break;
    case RtfDestination::LevelText:
        for (const char c : bytes) m_lists.AddLevelTextByte(static_cast<uint8_t>(c));
        break;
    case RtfDestination::LevelNumbers:
        for (const char c : bytes) m_lists.AddLevelNumber(static_cast<uint8_t>(c));
        break;
    case RtfDestination::ListText: OnListTextBytes(bytes); break;
    case RtfDestination::OldNumberingText: OnOldNumberingText(bytes); break;
    case RtfDestination::FieldInstruction: m_instruction.AppendBytes(bytes, RunFont(Top().chr)); break;
    case RtfDestination::FormFieldEntry: m_instruction.AppendFormFieldEntry(bytes); break;
    default: NoteUnkeptText(bytes, Top().nUnkept); break;
    }
}

void CRtfReader::OnText(std::string_view text) {
    if (m_nFallbackToSkip > 0) {
        const size_t nSkip = std::min(static_cast<size_t>(m_nFallbackToSkip), text.size());
        text.remove_prefix(nSkip);
        m_nFallbackToSkip -= static_cast<int64_t>(nSkip);
        if (text.empty()) return;
    }
    switch (Top().destination) {
    case RtfDestination::Body: AppendBodyBytes(text); break;
    case RtfDestination::FontTable: m_fonts.OnText(text); break;
    case RtfDestination::ColorTable: m_colors.OnText(text); break;
    case RtfDestination::StyleSheet:
        if (text.find(';') != std::string_view::npos) m_styles.EndEntry();
        break;
    case RtfDestination::LevelText:
        for (const char c : text) m_lists.AddLevelTextByte(static_cast<uint8_t>(c));
        break;
    case RtfDestination::ListText: OnListTextBytes(text); break;
    case RtfDestination::OldNumberingText: OnOldNumberingText(text); break;
    case RtfDestination::FieldInstruction: m_instruction.AppendBytes(text, RunFont(Top().chr)); break;
    case RtfDestination::FormFieldEntry: m_instruction.AppendFormFieldEntry(text); break;
    default: NoteUnkeptText(text, Top().nUnkept); break;
    }
}

void CRtfReader::AppendBodyBytes(std::string_view bytes) {
    if (Top().chr.bHidden) {
        NoteUnkeptText(bytes, kUnkeptHiddenText);
        return;
    }
    FlushPendingHighSurrogate();
    PrepareFormat();
    if (m_bUtf8) {
        if (m_nPendingLead >= 0) FlushPendingLeadByte();
        AppendUtf8Bytes(bytes);
        return;
    }
    if (m_utf8.IsPending()) FlushPendingUtf8();
    if (m_pDoubleByte != nullptr) {
        AppendDoubleByteBytes(bytes);
        return;
    }
    if (m_nPendingLead >= 0) FlushPendingLeadByte();
    m_paragraph.AppendBytes(bytes, m_pUpperHalf);
}

// The text the tokenizer is at, read as AppendBodyBytes would read its bytes, but decoded from
// the file straight into the paragraph. False, having read nothing, for text that takes the
// longer way: a \uN's fallback, hidden text, a double-byte code page, UTF-8.
template <typename Tokenizer>
bool CRtfReader::DecodeBodyText(Tokenizer& tokenizer) {
    if (m_nFallbackToSkip > 0 || Top().chr.bHidden) return false;
    FlushPendingHighSurrogate();
    PrepareFormat();
    if (m_pDoubleByte != nullptr || m_bUtf8) return false;
    if (m_nPendingLead >= 0) FlushPendingLeadByte();
    if (m_utf8.IsPending()) FlushPendingUtf8();
    constexpr size_t kRoom = 4096;
    const char32_t* pByteChars = m_paragraph.ByteCharsOf(m_pUpperHalf);
    m_paragraph.Commit(tokenizer.DecodeJoinedText(m_paragraph.Room(kRoom), kRoom, pByteChars));
    return true;
}

// Lead and trail bytes may come in separate tokens (\'82\'a0, \'82a): a lead byte at the end of
// one waits for the next. A lead byte and a trail byte the page defines no character for stand
// for one lost character, as Word and LibreOffice read them; a byte that is no trail byte is read
// again on its own.
void CRtfReader::AppendDoubleByteBytes(std::string_view bytes) {
    const CDoubleByteCodePage& page = *m_pDoubleByte;
    for (const char c : bytes) {
        const auto byte = static_cast<uint8_t>(c);
        if (m_nPendingLead >= 0) {
            const std::optional<char32_t> ch =
                page.AfterLead(static_cast<uint8_t>(std::exchange(m_nPendingLead, -1)), byte);
            m_paragraph.Append(ch.value_or(kReplacement));
            if (ch) continue;
        }
        if (byte == 0) continue;
        if (page.IsLeadByte(byte)) {
            m_nPendingLead = byte;
            continue;
        }
        const char32_t ch = page.Single(byte);
        m_paragraph.Append(ch != 0 ? ch : kReplacement);
    }
}

// A lead byte that came as a plain byte takes the byte right after it as its trail even where that
// is '{', '}' or '\' (Shift JIS ソ and 表 end in '\'): double-byte writers put such text out
// unescaped, and Word and LibreOffice read it so.
template <typename Tokenizer>
bool CRtfReader::TakeRawTrailByte(Tokenizer& tokenizer) {
    char trail = 0;
    // Except the end of a TextEdit attachment's group, which follows its mark.
    if (m_nDepth == m_nAttachmentDepth) return false;
    if (!tokenizer.TakeTrailAfter(static_cast<char>(m_nPendingLead), trail)) return false;
    if (trail == '}') ++m_nClosesTakenAsTrail;
    AppendBodyBytes(std::string_view(&trail, 1));
    return true;
}

// A lead byte that no trail byte follows stands for a character that is lost.
void CRtfReader::FlushPendingLeadByte() {
    m_nPendingLead = -1;
    PrepareFormat();
    m_paragraph.Append(kReplacement);
}

// UTF-8 bytes, like a double-byte character's, may come in separate tokens: the decoder keeps a
// character begun in one for the next. A NUL byte carries nothing, as in other fonts.
void CRtfReader::AppendUtf8Bytes(std::string_view bytes) {
    for (const char c : bytes) {
        char32_t chars[2];
        const int nChars = m_utf8.Feed(static_cast<uint8_t>(c), chars);
        for (int i = 0; i < nChars; ++i) {
            if (chars[i] != 0) m_paragraph.Append(chars[i]);
        }
    }
}

// A UTF-8 character cut short by what is not a byte of it is lost.
void CRtfReader::FlushPendingUtf8() {
    m_utf8.Abandon();
    PrepareFormat();
    m_paragraph.Append(kReplacement);
}

// ------------------------------------------------------------------ document text

void CRtfReader::PrepareFormat() {
    if (!m_bFormatDirty) return;
    m_bFormatDirty = false;
    RtfGroupState& state = Top();
    if (!m_formats.IsCurrent(state)) m_formats.Resolve(state);
    m_current = state.resolved;
    m_pUpperHalf = state.pUpperHalf;
    m_pDoubleByte = state.pDoubleByte;
    m_bUtf8 = state.bUtf8;
    m_paragraph.SetFormat(m_current);
}

void CRtfReader::AppendChar(char32_t ch) {
    if (Top().chr.bHidden) {
        if (ch != U' ') m_nUnkept |= kUnkeptHiddenText;
        return;
    }
    FlushPending();
    PrepareFormat();
    m_paragraph.Append(ch);
}

// \uN gives a UTF-16 unit as a signed 16-bit number (or unsigned); a character beyond the BMP
// comes as two of them.
void CRtfReader::AppendUnicode(int32_t nParam) {
    if (Top().chr.bHidden) {
        if (nParam != 0) m_nUnkept |= kUnkeptHiddenText;
        return;
    }
    int64_t nValue = nParam;
    if (nValue < 0) nValue += 0x10000;
    if (nValue == 0) return;  // NUL carries nothing
    char32_t ch = nValue > 0 && nValue <= 0x10FFFF ? static_cast<char32_t>(nValue) : kReplacement;
    if (IsHighSurrogate(ch)) {
        FlushPendingHighSurrogate();
        m_chPendingHigh = ch;
        return;
    }
    if (IsLowSurrogate(ch)) {
        if (m_chPendingHigh == 0) {
            ch = kReplacement;
        } else {
            ch = JoinSurrogates(m_chPendingHigh, ch);
            m_chPendingHigh = 0;
        }
    }
    AppendChar(ch);
}

// A high surrogate that no low one follows stands for a character that is lost.
void CRtfReader::FlushPendingHighSurrogate() {
    if (m_chPendingHigh == 0) return;
    m_chPendingHigh = 0;
    PrepareFormat();
    m_paragraph.Append(kReplacement);
}

// A cell's end mark stays the table's even in hidden text (WinHelp sources hide a link's target
// together with the \cell after it): Word keeps the cell, and so does the row's text.
void CRtfReader::EndCell() {
    FlushPending();
    PrepareFormat();
    InsertListLabel();
    m_paragraph.Append(U'\t');
    m_nCellStart = m_paragraph.Length();
}

// The paragraph ends: the text after its last cell takes its label, unless the paragraph is a
// row that ends right after that cell.
void CRtfReader::InsertLastCellLabel() {
    if (m_nCellStart == 0 || m_nCellStart < m_paragraph.Length()) InsertListLabel();
    m_nCellStart = 0;
}

// A line break in hidden text is hidden with it.
void CRtfReader::AddLineBreak() {
    if (Top().chr.bHidden) return;
    FlushPending();
    PrepareFormat();
    m_paragraph.AddLineBreak(m_current);
}

void CRtfReader::EndParagraph() {
    FlushPending();
    PrepareFormat();
    InsertLastCellLabel();
    if (m_bBreakPending) m_sink.EndKeyedParagraph(m_pendingBreak);
    const RtfGroupState& state = Top();
    m_pendingBreak = m_paragraph.Emit(m_sink, state.wAlignment, state.direction, !m_fonts.DeclaresHebrew(), m_current);
    m_bBreakPending = true;
    ++m_nParagraphSerial;
    ReportInputRead();
}

void CRtfReader::ReportInputRead() {
    if (m_pTokenizer == nullptr) return;
    const size_t nRead = m_nInputBase + m_pTokenizer->Offset();
    if (nRead < m_nNextInputReport) return;
    m_sink.InputReadTo(nRead);
    m_nNextInputReport = nRead + kInputReportBytes;
}

// The text after the last \par is a paragraph only if it holds something.
void CRtfReader::EndDocument() {
    m_bDocumentEnded = true;
    FlushPending();
    if (m_paragraph.IsEmpty()) return;
    PrepareFormat();
    InsertLastCellLabel();
    if (m_bBreakPending) m_sink.EndKeyedParagraph(m_pendingBreak);
    const RtfGroupState& state = Top();
    m_paragraph.Emit(m_sink, state.wAlignment, state.direction, !m_fonts.DeclaresHebrew(), m_current);
    m_bBreakPending = false;
}

}  // namespace rtf_detail

using rtf_detail::CRtfReader;

bool LooksLikeRtf(std::string_view bytes) { return SignatureOffset(bytes) != std::string_view::npos; }

RtfReadResult ReadRtf(std::string_view bytes, IRtfSink& sink) {
    try {
        CRtfReader reader(sink);
        return reader.Read(bytes);
    } catch (const std::bad_alloc&) {
        return {false, "there is not enough memory to read the file"};
    }
}

RtfReadResult ReadRtf(IRtfGrowingInput& input, IRtfSink& sink) {
    try {
        CRtfReader reader(sink);
        return reader.Read(input);
    } catch (const std::bad_alloc&) {
        return {false, "there is not enough memory to read the file"};
    }
}

RtfReadResult ReadRtf(std::string_view bytes, TextModel& model) {
    model.Clear();
    CTextModelSink sink(model);
    // Hebrew text comes as \'xx escapes, four bytes a character: room for that many characters
    // first. A document that outgrows it (Latin text, or a paragraph with list labels) gets room
    // for as many characters as the file has bytes, more than most documents can hold. Room
    // for that many at once would be pages taken afresh from the system on every read: freed
    // memory of the smaller size is used again.
    sink.Reserve(bytes.size() / 4, bytes.size());
    return ReadRtf(bytes, sink);
}

}  // namespace velmora
