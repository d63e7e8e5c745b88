#include "RtfReader.h"

#include "CodePages.h"
#include "RtfColorTable.h"
#include "RtfControlWords.h"
#include "RtfFontTable.h"
#include "RtfFormatResolver.h"
#include "RtfGroupState.h"
#include "RtfGrowingTokenizer.h"
#include "RtfInstructionReader.h"
#include "RtfListTable.h"
#include "RtfNoteMarks.h"
#include "RtfOldNumbering.h"
#include "RtfParagraph.h"
#include "RtfStyleSheet.h"
#include "RtfTokenizer.h"
#include "TextModelSink.h"
#include "Utf16Units.h"
#include "Utf8.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <utility>
#include <vector>

namespace velmora {

namespace {

constexpr char32_t kReplacement = U'\uFFFD';
constexpr int32_t kSymbolCharset = 2;  // Symbol, Wingdings: pictures, not letters
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

// The tokenizer whose offset the reader reports.
const CRtfTokenizer& PlainTokenizer(const CRtfTokenizer& tokenizer) { return tokenizer; }
const CRtfTokenizer& PlainTokenizer(const CRtfGrowingTokenizer& tokenizer) { return tokenizer.Tokenizer(); }

// Appends a \uN's unit to a label: a low surrogate joins the high one before it.
void AppendLabelUnit(std::u32string& text, char32_t unit) {
    if (IsLowSurrogate(unit) && !text.empty() && IsHighSurrogate(text.back())) {
        text.back() = JoinSurrogates(text.back(), unit);
        return;
    }
    text.push_back(unit);
}

class CRtfReader {
public:
    explicit CRtfReader(IRtfSink& sink) : m_sink(sink) { m_states.reserve(64); }

    RtfReadResult Read(std::string_view bytes);
    RtfReadResult Read(IRtfGrowingInput& input);

private:
    template <typename Tokenizer>
    RtfReadResult ReadTokens(Tokenizer& tokenizer);

    RtfGroupState& Top() { return m_states.back(); }

    // Tokens.
    void OnGroupStart();
    void OnGroupEnd();
    void SaveStateBeyondKeptDepth() {
        if (m_nUnkeptDepth > 0) SaveUnkeptState();
    }
    void SaveUnkeptState();
    void OnControlWord(const RtfToken& token);
    void OnControlSymbol(char chSymbol);
    void OnHexBytes(std::string_view bytes);
    void AppendBodyBytes(std::string_view bytes);
    template <typename Tokenizer>
    bool DecodeBodyText(Tokenizer& tokenizer);
    template <typename Tokenizer>
    bool TakeRawTrailByte(Tokenizer& tokenizer);
    void OnText(std::string_view text);
    bool SkipsFallback();

    // Control words by destination.
    void OnBodyWord(RtfWordInfo info, const RtfToken& token);
    bool ApplyCharacterWord(RtfWord word, const RtfToken& token, RtfGroupState& state);
    void OnFontTableWord(RtfWord word, int32_t nParam);
    void OnColorTableWord(RtfWord word, int32_t nParam);
    void OnListTableWord(RtfWord word, const RtfToken& token);
    void OnListOverrideWord(RtfWord word, const RtfToken& token);
    void OnListTextWord(RtfWordInfo info, const RtfToken& token);
    void OnListTextBytes(std::string_view bytes);
    void OnStyleSheetWord(RtfWord word, int32_t nParam);
    void OnStarredWord(RtfWord word);
    void OnShapeWord(RtfWord word);
    void OnOldNumberingWord(RtfWordInfo info, const RtfToken& token);
    void OnOldNumberingText(std::string_view bytes);
    void EnterDestination(RtfDestination destination);
    void EnterUnicodePair();

    // Lists, notes and text boxes.
    CodePageDecoder FontDecoder(int32_t nFont) const { return m_formats.FontDecoder(nFont); }
    char32_t DecodeLabelByte(int32_t nFont, uint8_t byte) const;
    char32_t DecodeLabelPair(int32_t nFont, uint8_t lead, uint8_t trail) const;
    void InsertListLabel();
    void InsertLastCellLabel();
    void EndCell();
    void AppendNoteMark();
    void MarkEndnote();
    void BeginTextBox();
    void BeginFieldInstruction();
    void EndFieldInstruction();
    void EndField();
    void AppendBytesInFont(std::string_view bytes, int32_t nFont);
    void OnFieldInstructionWord(RtfWordInfo info, const RtfToken& token);
    bool InstructionAwaitsLowSurrogate() const;
    void OnFormFieldWord(RtfWord word, int32_t nParam);
    std::string PageNumberText() const;

    // Document text.
    void PrepareFormat();
    void ForgetResolvedFormats() {
        m_formats.ForgetAll();
        m_bFormatDirty = true;
    }
    void SetDocumentCodePage(uint16_t nCodePage) {
        m_formats.SetDocumentCodePage(nCodePage);
        m_bFormatDirty = true;
    }
    void AppendChar(char32_t ch);
    void AppendUnicode(int32_t nParam);
    void AppendDoubleByteBytes(std::string_view bytes);
    void AppendUtf8Bytes(std::string_view bytes);
    void FlushPendingHighSurrogate();
    void FlushPendingLeadByte();
    void FlushPendingUtf8();
    void FlushPending() {
        FlushPendingHighSurrogate();
        if (m_nPendingLead >= 0) FlushPendingLeadByte();
        if (m_utf8.IsPending()) FlushPendingUtf8();
    }
    void AddLineBreak();
    void MarkSuperscriptStart(RtfGroupState& state) const {
        state.nSuperParagraph = m_nParagraphSerial;
        state.nSuperFrom = m_paragraph.Length();
    }
    void EndParagraph();
    // Tells the sink how far the input is read, once every kInputReportBytes.
    void ReportInputRead();
    static constexpr size_t kInputReportBytes = size_t{4} << 20;
    void EndDocument();

    IRtfSink& m_sink;
    std::vector<RtfGroupState> m_states;  // [0] is outside the document; back() is the innermost
    size_t m_nDepth = 0;                  // groups open, counting those beyond kMaxRtfGroupDepth
    size_t m_nUnkeptDepth = 0;            // groups open beyond kMaxRtfGroupDepth
    // Beyond kMaxRtfGroupDepth the innermost kept state serves every group; a group that may change
    // it saves it here first (with its depth beyond the limit), and gets it back when it closes.
    std::vector<std::pair<size_t, RtfGroupState>> m_unkeptSaves;
    int64_t m_nFallbackToSkip = 0;                        // what is left of a \uN's fallback
    char32_t m_chPendingHigh = 0;                         // a high surrogate waiting for its low half
    int m_nPendingLead = -1;                              // a double-byte character's lead byte waiting for its trail
    CUtf8ByteDecoder m_utf8;                              // a UTF-8 character begun, in a UTF-8 font
    size_t m_nClosesTakenAsTrail = 0;                     // '}' read as a trail byte, not as a group's end
    uint32_t m_nPageBreaks = 0;                           // \page words so far in the body
    bool m_bStarPending = false;                          // the last token was \*
    RtfDestination m_starredFrom = RtfDestination::Body;  // where the text went before that \*
    bool m_bDocumentEnded = false;

    CRtfFontTable m_fonts;
    CRtfColorTable m_colors;
    int32_t m_nDefaultFont = 0;
    CRtfFormatResolver m_formats{m_fonts, m_colors};

    CRtfListTable m_lists;
    CRtfStyleSheet m_styles;
    std::u32string m_listText;  // the label of \listtext or \pntext, for the paragraph being read
    int m_nListTextLead = -1;   // a double-byte lead byte of that label waiting for its trail
    CRtfNoteMarks m_notes;
    struct TextBox {
        size_t nDepth = 0;          // the group depth at which the box began
        bool bSplitAnchor = false;  // its anchor's paragraph had text before it, and ended there
        std::u32string anchorLabel;  // the label its writer rendered for the anchor's paragraph
    };
    std::vector<TextBox> m_textBoxes;
    bool m_bAnchorGoesOn = false;         // the text now read is the rest of a box's anchor paragraph
    bool m_bLabelAfterBreak = false;      // the paragraph ending is empty and a page break ends it
    size_t m_nRowPropertiesDepth = 0;     // group depth of the nested row properties read, or 0
    size_t m_nAttachmentDepth = 0;        // group depth of a TextEdit attachment's group, or 0
    CRtfOldNumbering m_oldNumbering;
    uint32_t m_nParagraphSerial = 0;  // paragraphs ended so far
    size_t m_nCellStart = 0;          // where the paragraph's current table cell begins
    // The field instruction being read, and what the field shows when its result shows nothing:
    // at the close of the field's group (at nDepth), if the paragraph is still as long as when the
    // instruction ended.
    CRtfInstructionReader m_instruction;
    struct PendingFieldText {
        CRtfInstructionReader::Shown shown;
        size_t nDepth = 0;
        uint32_t nParagraph = 0;
        size_t nLength = 0;
    } m_pendingField;

    CRtfParagraph m_paragraph;
    KeyedCharFormat m_current;               // the innermost group's resolved format
    const char32_t* m_pUpperHalf = nullptr;  // and its font's code page
    const CDoubleByteCodePage* m_pDoubleByte = nullptr;
    bool m_bUtf8 = false;
    bool m_bFormatDirty = true;                 // m_current may no longer be the innermost group's
    bool m_bBreakPending = false;               // a paragraph was ended; its CR LF waits for what follows
    KeyedCharFormat m_pendingBreak;
    // Where the tokenizer stands, for telling the sink how far the input is read.
    const CRtfTokenizer* m_pTokenizer = nullptr;
    size_t m_nInputBase = 0;  // the tokenizer's offset 0 in the input
    size_t m_nNextInputReport = kInputReportBytes;
};

RtfReadResult CRtfReader::Read(std::string_view bytes) {
    const size_t nStart = SignatureOffset(bytes);
    if (nStart == std::string_view::npos) return {false, "not an RTF document"};
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
    if (nStart == std::string_view::npos) return {false, "not an RTF document"};
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
        case RtfTokenKind::Binary: SkipsFallback(); break;  // picture data, never text
        case RtfTokenKind::Text: OnText(token.text); break;
        case RtfTokenKind::End: break;
        }
    }
    if (tokenizer.BinaryCutShort()) return {false, "the file ends inside binary data (\\bin)"};
    // A '}' read as a trail byte leaves its group open: that is no sign of a file cut short.
    if (m_nDepth > 1 + m_nClosesTakenAsTrail) return {false, "the file ends inside a group"};
    if (m_bDocumentEnded) return {};
    EndDocument();  // only the document's own '}' is missing, or the trail bytes took it
    return {true, {}, m_nDepth > m_nClosesTakenAsTrail};
}

// ------------------------------------------------------------------ groups

void CRtfReader::OnGroupStart() {
    m_nFallbackToSkip = 0;
    m_bStarPending = false;
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

void CRtfReader::EnterDestination(RtfDestination destination) {
    // The document's own group is never a destination: a stray word there must not swallow it.
    if (m_nDepth >= 2) Top().destination = destination;
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
    m_bStarPending = false;
}

void CRtfReader::OnControlSymbol(char chSymbol) {
    if (SkipsFallback()) return;
    if (chSymbol == '*') {
        SaveStateBeyondKeptDepth();
        m_starredFrom = Top().destination;
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
    default: break;
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
    default: break;
    }
}

void CRtfReader::AppendBodyBytes(std::string_view bytes) {
    if (Top().chr.bHidden) return;
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

// ------------------------------------------------------------------ control words

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

void CRtfReader::BeginFieldInstruction() {
    EnterDestination(RtfDestination::FieldInstruction);
    m_instruction.Begin();
}

void CRtfReader::OnFieldInstructionWord(RtfWordInfo info, const RtfToken& token) {
    switch (info.word) {
    case RtfWord::SkipDestination: EnterDestination(RtfDestination::Skip); break;
    // A button's text in letters beyond its font's code page comes as \uN, with a fallback.
    case RtfWord::UnicodeSkip: Top().nUnicodeSkip = std::max(token.nParam, int32_t{0}); break;
    case RtfWord::Unicode:
        m_instruction.AppendUnit(UnicodeUnit(token.nParam));
        m_nFallbackToSkip = Top().nUnicodeSkip;
        break;
    case RtfWord::FormField: EnterDestination(RtfDestination::FormField); break;
    case RtfWord::UnicodePair: EnterUnicodePair(); break;
    // The font words, for the bytes of a button's text.
    case RtfWord::Plain:
    case RtfWord::Font:
    case RtfWord::AssocFont:
    case RtfWord::RtlChars:
    case RtfWord::LtrChars: OnBodyWord(info, token); break;
    default: break;
    }
}

// The instruction's last character is the high half of a surrogate pair.
bool CRtfReader::InstructionAwaitsLowSurrogate() const {
    return m_states.back().destination == RtfDestination::FieldInstruction && m_instruction.AwaitsLowSurrogate();
}

// The instruction's group closes inside its field's group.
void CRtfReader::EndFieldInstruction() {
    CRtfInstructionReader::Shown shown = m_instruction.End(Top().nOutlineLevel, PageNumberText());
    if (!shown.Empty() && m_nDepth >= 3)
        m_pendingField = {std::move(shown), m_nDepth - 1, m_nParagraphSerial, m_paragraph.Length()};
}

void CRtfReader::OnFormFieldWord(RtfWord word, int32_t nParam) {
    switch (word) {
    case RtfWord::FormFieldType: m_instruction.SetFormFieldType(nParam); break;
    case RtfWord::FormFieldResult: m_instruction.SetFormFieldChoice(nParam); break;
    case RtfWord::FormFieldDefault: m_instruction.SetFormFieldDefault(nParam); break;
    case RtfWord::FormFieldEntry:
        EnterDestination(RtfDestination::FormFieldEntry);
        m_instruction.BeginFormFieldEntry();
        break;
    case RtfWord::SkipDestination: EnterDestination(RtfDestination::Skip); break;
    default: break;
    }
}

// A SYMBOL field, a lowered equation, a button, a PAGE field, an automatic number (AUTONUM) or a
// drop-down form field whose result shows nothing shows its character, text, number or entry, as
// its writer does.
void CRtfReader::EndField() {
    const PendingFieldText pending = std::exchange(m_pendingField, PendingFieldText{});
    if (Top().destination != RtfDestination::Body || pending.nParagraph != m_nParagraphSerial ||
        pending.nLength != m_paragraph.Length())
        return;
    const CRtfInstructionReader::Shown& shown = pending.shown;
    if (shown.ch != 0) AppendChar(shown.ch);
    const std::string_view text = shown.text;
    size_t nFrom = 0;
    for (const CRtfInstructionReader::Char& c : shown.chars) {
        if (c.nAt > nFrom) AppendBytesInFont(text.substr(nFrom, c.nAt - nFrom), shown.nFont);
        AppendChar(IsHighSurrogate(c.ch) || IsLowSurrogate(c.ch) ? kReplacement : c.ch);
        nFrom = c.nAt + 1;
    }
    if (nFrom < text.size()) AppendBytesInFont(text.substr(nFrom), shown.nFont);
}

// Bytes written in another group's font (a button's text, in its instruction's font) where the
// field ends; a double-byte or UTF-8 font's bytes, or bytes of no font, read as the field's own.
void CRtfReader::AppendBytesInFont(std::string_view bytes, int32_t nFont) {
    const char32_t* pUpperHalf = nFont >= 0 ? FontDecoder(nFont).pUpperHalf : nullptr;
    if (pUpperHalf == nullptr || Top().chr.bHidden) {
        AppendBodyBytes(bytes);
        return;
    }
    FlushPending();
    PrepareFormat();
    m_paragraph.AppendBytes(bytes, pUpperHalf);
}

// A page number where a word processor computes it (\chpgn, a PAGE field with no stored result):
// the pages that the writer's own page breaks begin. Pages the layout makes are not known here,
// so a number may fall short in a long document, but the number is not lost.
std::string CRtfReader::PageNumberText() const { return std::to_string(uint64_t{m_nPageBreaks} + 1); }

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
    if (!state.bListGiven || !state.bListLevelGiven) {
        const CRtfStyleSheet::StyleList styleList = m_styles.ListOf(state.nStyle);
        if (!state.bListGiven && styleList.nList >= 0) nList = styleList.nList;
        if (!state.bListLevelGiven && styleList.nLevel >= 0) nListLevel = styleList.nLevel;
    }
    std::optional<std::u32string> label;
    if (nList > 0) {
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
    if (state.nOldNumbering > 0 && nList == 0) {
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
    if (Top().chr.bHidden) return;
    FlushPending();
    PrepareFormat();
    m_paragraph.Append(ch);
}

// \uN gives a UTF-16 unit as a signed 16-bit number (or unsigned); a character beyond the BMP
// comes as two of them.
void CRtfReader::AppendUnicode(int32_t nParam) {
    if (Top().chr.bHidden) return;
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

}  // namespace

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
