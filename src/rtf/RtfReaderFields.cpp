// Fields: the instruction read aside, and what a field shows where its result shows nothing.

#include "RtfReaderImpl.h"

#include "Utf16Units.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

namespace velmora::rtf_detail {

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

}  // namespace velmora::rtf_detail
