#pragma once
// The RTF reader's state machine, shared by the files that implement it: RtfReader.cpp (tokens,
// groups, bytes and paragraphs), RtfReaderWords.cpp (control words by destination),
// RtfReaderLabels.cpp (list labels and note marks) and RtfReaderFields.cpp (fields).
// Nothing outside those files uses it: callers read through ReadRtf (RtfReader.h).

#include "CodePages.h"
#include "RtfColorTable.h"
#include "RtfControlWords.h"
#include "RtfFontTable.h"
#include "RtfFormatResolver.h"
#include "RtfGroupState.h"
#include "RtfInstructionReader.h"
#include "RtfListTable.h"
#include "RtfNoteMarks.h"
#include "RtfOldNumbering.h"
#include "RtfParagraph.h"
#include "RtfReader.h"
#include "RtfStyleSheet.h"
#include "RtfTokenizer.h"
#include "Utf8.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora::rtf_detail {

constexpr char32_t kReplacement = U'\uFFFD';
constexpr int32_t kSymbolCharset = 2;  // Symbol, Wingdings: pictures, not letters

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
    // Inline: OnBodyWord, its only caller, runs it for most words of a document.
    inline bool ApplyCharacterWord(RtfWord word, const RtfToken& token, RtfGroupState& state);
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
    void EnterDestination(RtfDestination destination) {
        // The document's own group is never a destination: a stray word there must not swallow it.
        if (m_nDepth >= 2) Top().destination = destination;
    }
    void EnterUnicodePair();
    // Text the reader passes over, in a destination whose text is nKind (RtfUnkept) or hidden:
    // anything but blanks there is lost from the model.
    void NoteUnkeptText(std::string_view text, uint8_t nKind) {
        if (nKind != 0 && text.find_first_not_of(" \t\r\n") != std::string_view::npos) m_nUnkept |= nKind;
    }

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
    bool m_bStarInGroup = false;                          // that \* came after its group had begun
    size_t m_nGroupStartOffset = 0;                       // where the last '{' read ends
    bool m_bDocumentEnded = false;
    uint8_t m_nUnkept = 0;  // RtfUnkept: what the document shows that the model will not hold

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
        size_t nDepth = 0;           // the group depth at which the box began
        bool bSplitAnchor = false;   // its anchor's paragraph had text before it, and ended there
        std::u32string anchorLabel;  // the label its writer rendered for the anchor's paragraph
    };
    std::vector<TextBox> m_textBoxes;
    bool m_bAnchorGoesOn = false;      // the text now read is the rest of a box's anchor paragraph
    bool m_bLabelAfterBreak = false;   // the paragraph ending is empty and a page break ends it
    size_t m_nRowPropertiesDepth = 0;  // group depth of the nested row properties read, or 0
    size_t m_nAttachmentDepth = 0;     // group depth of a TextEdit attachment's group, or 0
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
    bool m_bFormatDirty = true;    // m_current may no longer be the innermost group's
    bool m_bBreakPending = false;  // a paragraph was ended; its CR LF waits for what follows
    KeyedCharFormat m_pendingBreak;
    // Where the tokenizer stands, for telling the sink how far the input is read.
    const CRtfTokenizer* m_pTokenizer = nullptr;
    size_t m_nInputBase = 0;  // the tokenizer's offset 0 in the input
    size_t m_nNextInputReport = kInputReportBytes;
};

}  // namespace velmora::rtf_detail
