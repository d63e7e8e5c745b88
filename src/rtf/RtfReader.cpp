#include "RtfReader.h"

#include "CodePages.h"
#include "RtfColorTable.h"
#include "RtfControlWords.h"
#include "RtfFontTable.h"
#include "RtfGroupState.h"
#include "RtfParagraph.h"
#include "RtfTokenizer.h"
#include "TextModelSink.h"
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
constexpr std::string_view kRtfSignature = "{\\rtf";

// Offset of "{\rtf" after a byte order mark and white space, or npos.
size_t SignatureOffset(std::string_view bytes) {
    size_t nPos = 0;
    if (bytes.starts_with(kUtf8Bom)) nPos = kUtf8Bom.size();
    while (nPos < bytes.size() &&
           (bytes[nPos] == ' ' || bytes[nPos] == '\t' || bytes[nPos] == '\r' || bytes[nPos] == '\n'))
        ++nPos;
    return bytes.substr(nPos, kRtfSignature.size()) == kRtfSignature ? nPos : std::string_view::npos;
}

bool IsHighSurrogate(char32_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool IsLowSurrogate(char32_t ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }

class CRtfReader {
public:
    explicit CRtfReader(IRtfSink& sink) : m_sink(sink) { m_states.reserve(64); }

    RtfReadResult Read(std::string_view bytes);

private:
    RtfGroupState& Top() { return m_states.back(); }

    // Tokens.
    void OnGroupStart();
    void OnGroupEnd();
    void SaveStateBeyondKeptDepth();
    void OnControlWord(const RtfToken& token);
    void OnControlSymbol(char chSymbol);
    void OnHexBytes(std::string_view bytes);
    void AppendBodyBytes(std::string_view bytes);
    void OnText(std::string_view text);
    bool SkipsFallback();

    // Control words by destination.
    void OnBodyWord(RtfWordInfo info, const RtfToken& token);
    void OnFontTableWord(RtfWord word, int32_t nParam);
    void OnColorTableWord(RtfWord word, int32_t nParam);
    void EnterDestination(RtfDestination destination);

    // Document text.
    void PrepareFormat();
    void ResolveFormat(RtfGroupState& state) const;
    void ForgetResolvedFormats();
    void AppendChar(char32_t ch);
    void AppendUnicode(int32_t nParam);
    void FlushPendingHighSurrogate();
    void AddLineBreak();
    void EndParagraph();
    void EndDocument();

    IRtfSink& m_sink;
    std::vector<RtfGroupState> m_states;  // [0] is outside the document; back() is the innermost
    size_t m_nDepth = 0;                  // groups open, counting those beyond kMaxRtfGroupDepth
    size_t m_nUnkeptDepth = 0;            // groups open beyond kMaxRtfGroupDepth
    // Beyond kMaxRtfGroupDepth the innermost kept state serves every group; a group that may change
    // it saves it here first (with its depth beyond the limit), and gets it back when it closes.
    std::vector<std::pair<size_t, RtfGroupState>> m_unkeptSaves;
    int64_t m_nFallbackToSkip = 0;        // what is left of a \uN's fallback
    char32_t m_chPendingHigh = 0;         // a high surrogate waiting for its low half
    bool m_bDocumentEnded = false;

    CRtfFontTable m_fonts;
    CRtfColorTable m_colors;
    int32_t m_nDefaultFont = 0;
    uint16_t m_nAnsiCodePage = CP_WINDOWS_1252;

    CRtfParagraph m_paragraph;
    CharFormat m_cfCurrent;                  // the innermost group's resolved format
    const char32_t* m_pUpperHalf = nullptr;  // and its font's code page
    bool m_bFormatDirty = true;              // m_cfCurrent may no longer be the innermost group's
    uint32_t m_nGeneration = 1;              // see RtfGroupState::nResolvedGeneration
    bool m_bBreakPending = false;  // a paragraph was ended; its CR LF waits for what follows
    CharFormat m_cfPendingBreak;
};

RtfReadResult CRtfReader::Read(std::string_view bytes) {
    const size_t nStart = SignatureOffset(bytes);
    if (nStart == std::string_view::npos) return {false, "not an RTF document"};
    // Positions in the text model are 32-bit; the text never holds more characters than the file
    // has bytes.
    if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        return {false, "the file is too large"};

    m_states.assign(1, RtfGroupState{});
    CRtfTokenizer tokenizer(bytes.substr(nStart));
    RtfToken token;
    while (!m_bDocumentEnded && tokenizer.Next(token)) {
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
    if (m_nDepth > 1) return {false, "the file ends inside a group"};
    if (!m_bDocumentEnded) EndDocument();  // only the document's own '}' is missing
    return {};
}

// ------------------------------------------------------------------ groups

void CRtfReader::OnGroupStart() {
    m_nFallbackToSkip = 0;
    ++m_nDepth;
    if (m_states.size() <= kMaxRtfGroupDepth) {
        m_states.push_back(m_states.back());
    } else {
        ++m_nUnkeptDepth;
    }
}

void CRtfReader::OnGroupEnd() {
    m_nFallbackToSkip = 0;
    if (m_nDepth == 0) return;
    const bool bUnkept = m_nUnkeptDepth > 0;
    const bool bSaved = bUnkept && !m_unkeptSaves.empty() && m_unkeptSaves.back().first == m_nUnkeptDepth;
    // A group beyond the limit that saved nothing changed nothing: it closes into the same state.
    const RtfGroupState& outerState = !bUnkept ? m_states[m_states.size() - 2] : bSaved ? m_unkeptSaves.back().second : Top();
    const RtfDestination closing = Top().destination;
    const RtfDestination outer = outerState.destination;
    if (closing == RtfDestination::FontTable) m_fonts.EndEntry();
    if (closing == RtfDestination::ColorTable && outer != RtfDestination::ColorTable) m_colors.EndTable();
    const bool bTableEnds = (closing == RtfDestination::FontTable || closing == RtfDestination::ColorTable) &&
                            outer != closing;
    if (bTableEnds) ForgetResolvedFormats();  // fonts or colours may differ now
    if (m_nDepth == 1) {
        EndDocument();
        return;
    }
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
}

// Called before a word beyond the limit is heeded: the first one in a group keeps the state that
// group opened with, so that a file of nothing but '{' costs no memory past the limit.
void CRtfReader::SaveStateBeyondKeptDepth() {
    if (m_nUnkeptDepth == 0) return;
    if (!m_unkeptSaves.empty() && m_unkeptSaves.back().first == m_nUnkeptDepth) return;
    m_unkeptSaves.emplace_back(m_nUnkeptDepth, Top());
}

void CRtfReader::EnterDestination(RtfDestination destination) {
    // The document's own group is never a destination: a stray word there must not swallow it.
    if (m_nDepth >= 2) Top().destination = destination;
}

// ------------------------------------------------------------------ tokens

// A token that stands in for the fallback of a \uN is dropped.
bool CRtfReader::SkipsFallback() {
    if (m_nFallbackToSkip <= 0) return false;
    --m_nFallbackToSkip;
    return true;
}

void CRtfReader::OnControlWord(const RtfToken& token) {
    const RtfWordInfo info = LookUpRtfWord(token.text);
    if (SkipsFallback()) return;
    SaveStateBeyondKeptDepth();
    switch (Top().destination) {
    case RtfDestination::Body: OnBodyWord(info, token); break;
    case RtfDestination::FontTable: OnFontTableWord(info.word, token.nParam); break;
    case RtfDestination::ColorTable: OnColorTableWord(info.word, token.nParam); break;
    case RtfDestination::Skip: break;
    }
}

void CRtfReader::OnControlSymbol(char chSymbol) {
    if (SkipsFallback()) return;
    if (chSymbol == '*') {
        SaveStateBeyondKeptDepth();
        EnterDestination(RtfDestination::Skip);
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
    if (!bytes.empty() && Top().destination == RtfDestination::Body) AppendBodyBytes(bytes);
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
    case RtfDestination::Skip: break;
    }
}

void CRtfReader::AppendBodyBytes(std::string_view bytes) {
    if (Top().chr.bHidden) return;
    FlushPendingHighSurrogate();
    PrepareFormat();
    m_paragraph.AppendBytes(bytes, m_pUpperHalf);
}

// ------------------------------------------------------------------ control words

void CRtfReader::OnBodyWord(RtfWordInfo info, const RtfToken& token) {
    RtfGroupState& state = Top();
    const RtfCharacterProps before = state.chr;
    const int32_t nParam = token.nParam;
    const bool bOn = !token.bHasParam || nParam != 0;  // \b and \b1 set, \b0 clears
    bool bCharFormat = true;
    switch (info.word) {
    case RtfWord::Unknown: bCharFormat = false; break;
    // Header.
    case RtfWord::Ansi:
    case RtfWord::Mac:
    case RtfWord::Pc:
    case RtfWord::Pca:
        m_nAnsiCodePage = CP_WINDOWS_1252;
        ForgetResolvedFormats();
        break;
    case RtfWord::AnsiCodePage:
        if (IsKnownCodePage(nParam)) m_nAnsiCodePage = static_cast<uint16_t>(nParam);
        ForgetResolvedFormats();
        break;
    case RtfWord::DefaultFont:
        m_nDefaultFont = nParam;
        state.chr.nFont = nParam;
        break;
    // Destinations.
    case RtfWord::FontTable: EnterDestination(RtfDestination::FontTable); break;
    case RtfWord::ColorTable: EnterDestination(RtfDestination::ColorTable); break;
    case RtfWord::SkipDestination: EnterDestination(RtfDestination::Skip); break;
    // Character format.
    case RtfWord::Plain:
        state.chr = RtfCharacterProps{};
        state.chr.nFont = m_nDefaultFont;
        break;
    case RtfWord::Bold: state.chr.bBold = bOn; break;
    case RtfWord::Italic: state.chr.bItalic = bOn; break;
    case RtfWord::Underline: state.chr.bUnderline = bOn; break;
    case RtfWord::UnderlineNone: state.chr.bUnderline = false; break;
    case RtfWord::Strike: state.chr.bStrike = bOn; break;
    case RtfWord::Hidden: state.chr.bHidden = bOn; break;
    case RtfWord::Color: state.chr.nColor = nParam; break;
    case RtfWord::FontSize:
        state.chr.nHalfPoints = !token.bHasParam ? kDefaultHalfPoints
                                : nParam > 0     ? std::min(nParam, int32_t{32767})
                                                 : state.chr.nHalfPoints;
        break;
    case RtfWord::AssocBold: state.chr.nAssocBold = bOn ? 1 : 0; break;
    case RtfWord::AssocItalic: state.chr.nAssocItalic = bOn ? 1 : 0; break;
    case RtfWord::AssocFontSize:
        if (nParam > 0) state.chr.nAssocHalfPoints = std::min(nParam, int32_t{32767});
        break;
    case RtfWord::AssocFont: state.chr.nAssocFont = nParam; break;
    case RtfWord::Font: state.chr.nFont = nParam; break;
    case RtfWord::RtlChars: state.chr.bRtlChars = true; break;
    case RtfWord::LtrChars: state.chr.bRtlChars = false; break;
    case RtfWord::UnicodeSkip: state.nUnicodeSkip = std::max(nParam, int32_t{0}); break;
    case RtfWord::Unicode:
        AppendUnicode(nParam);
        m_nFallbackToSkip = state.nUnicodeSkip;
        bCharFormat = false;
        break;
    // Paragraph format.
    case RtfWord::ParagraphDefault:
        state.wAlignment = PFA_LEFT;
        state.direction = RtfDirection::None;
        break;
    case RtfWord::AlignLeft: state.wAlignment = PFA_LEFT; break;
    case RtfWord::AlignRight: state.wAlignment = PFA_RIGHT; break;
    case RtfWord::AlignCenter: state.wAlignment = PFA_CENTER; break;
    case RtfWord::AlignJustify: state.wAlignment = PFA_JUSTIFY; break;
    case RtfWord::RtlParagraph: state.direction = RtfDirection::Rtl; break;
    case RtfWord::LtrParagraph: state.direction = RtfDirection::Ltr; break;
    // Breaks and characters.
    case RtfWord::Paragraph: EndParagraph(); break;
    case RtfWord::Line: AddLineBreak(); break;
    case RtfWord::Character: AppendChar(info.ch); break;
    // Table entries outside their table mean nothing.
    case RtfWord::Charset:
    case RtfWord::Red:
    case RtfWord::Green:
    case RtfWord::Blue: bCharFormat = false; break;
    }
    if (bCharFormat && !(before == Top().chr)) {
        Top().nResolvedGeneration = 0;
        m_bFormatDirty = true;
    }
}

void CRtfReader::OnFontTableWord(RtfWord word, int32_t nParam) {
    switch (word) {
    case RtfWord::Font: m_fonts.SetPendingFont(nParam); break;
    case RtfWord::Charset: m_fonts.SetPendingCharset(nParam); break;
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

// ------------------------------------------------------------------ document text

void CRtfReader::PrepareFormat() {
    if (!m_bFormatDirty) return;
    m_bFormatDirty = false;
    RtfGroupState& state = Top();
    if (state.nResolvedGeneration != m_nGeneration) ResolveFormat(state);
    m_cfCurrent = state.cfResolved;
    m_pUpperHalf = state.pUpperHalf;
    m_paragraph.SetFormat(m_cfCurrent);
}

void CRtfReader::ResolveFormat(RtfGroupState& state) const {
    const RtfCharacterProps& chr = state.chr;
    const bool bAssoc = chr.bRtlChars;
    const bool bBold = bAssoc && chr.nAssocBold >= 0 ? chr.nAssocBold != 0 : chr.bBold;
    const bool bItalic = bAssoc && chr.nAssocItalic >= 0 ? chr.nAssocItalic != 0 : chr.bItalic;
    const int32_t nHalfPoints = bAssoc && chr.nAssocHalfPoints > 0 ? chr.nAssocHalfPoints : chr.nHalfPoints;
    const int32_t nFont = bAssoc && chr.nAssocFont >= 0 ? chr.nAssocFont : chr.nFont;
    const int32_t nDeclaredCharset = m_fonts.DeclaredCharset(nFont);
    const uint8_t bCharset = nDeclaredCharset < 0 ? uint8_t{0} : static_cast<uint8_t>(nDeclaredCharset);
    uint32_t crColor = 0;
    const bool bExplicitColor = m_colors.Lookup(chr.nColor, crColor);
    state.cfResolved = MakeCharFormat(bBold, bItalic, chr.bUnderline, chr.bStrike, !bExplicitColor, crColor,
                                      nHalfPoints * 10, bCharset);

    // \fcharset0 is Windows' ANSI_CHARSET, which is Western whatever \ansicpg says: AbiWord
    // writes its symbols so, and Word and LibreOffice read them so. A font that names no set,
    // or the default set 1, follows the document's code page.
    const uint16_t nFontCodePage =
        nDeclaredCharset == ANSI_CHARSET ? CP_WINDOWS_1252 : CodePageOfCharset(nDeclaredCharset);
    state.pUpperHalf = CodePageUpperHalf(nFontCodePage != 0 ? nFontCodePage : m_nAnsiCodePage);
    if (state.pUpperHalf == nullptr) state.pUpperHalf = CodePageUpperHalf(CP_WINDOWS_1252);
    state.nResolvedGeneration = m_nGeneration;
}

// Fonts, colours or the document's code page changed: every resolved format may be stale. A new
// generation makes them so at once, however deep the groups.
void CRtfReader::ForgetResolvedFormats() {
    ++m_nGeneration;
    if (m_nGeneration == 0) m_nGeneration = 1;  // 0 stands for "never resolved"
    m_bFormatDirty = true;
}

void CRtfReader::AppendChar(char32_t ch) {
    if (Top().chr.bHidden) return;
    FlushPendingHighSurrogate();
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
            ch = 0x10000 + ((m_chPendingHigh - 0xD800) << 10) + (ch - 0xDC00);
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

void CRtfReader::AddLineBreak() {
    FlushPendingHighSurrogate();
    PrepareFormat();
    m_paragraph.AddLineBreak(m_cfCurrent);
}

void CRtfReader::EndParagraph() {
    FlushPendingHighSurrogate();
    PrepareFormat();
    if (m_bBreakPending) m_sink.EndParagraph(m_cfPendingBreak);
    const RtfGroupState& state = Top();
    m_cfPendingBreak =
        m_paragraph.Emit(m_sink, state.wAlignment, state.direction, !m_fonts.DeclaresHebrew(), m_cfCurrent);
    m_bBreakPending = true;
}

// The text after the last \par is a paragraph only if it holds something.
void CRtfReader::EndDocument() {
    m_bDocumentEnded = true;
    FlushPendingHighSurrogate();
    if (m_paragraph.IsEmpty()) return;
    PrepareFormat();
    if (m_bBreakPending) m_sink.EndParagraph(m_cfPendingBreak);
    const RtfGroupState& state = Top();
    m_paragraph.Emit(m_sink, state.wAlignment, state.direction, !m_fonts.DeclaresHebrew(), m_cfCurrent);
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

RtfReadResult ReadRtf(std::string_view bytes, TextModel& model) {
    model.Clear();
    // A document never holds more characters than its file has bytes. Room for that many spares
    // the text every regrowth, and the pages it never fills cost nothing.
    model.Reserve(bytes.size());
    CTextModelSink sink(model);
    return ReadRtf(bytes, sink);
}

}  // namespace velmora
