#include "RtfInstructionReader.h"

#include "RtfFieldInstruction.h"
#include "RtfListTable.h"
#include "Utf16Units.h"

#include <algorithm>

namespace velmora {

namespace {
// Longer instructions (a TOC's switches, an INCLUDEPICTURE's path) show nothing of their own.
constexpr size_t kMaxInstruction = 256;
constexpr size_t kMaxEntries = 64;
constexpr size_t kMaxEntry = 256;
constexpr char kCharPlaceholder = '\x1A';

int32_t NumberOfDigits(std::string_view digits) {
    int32_t nValue = 0;
    for (char c : digits) nValue = nValue < 100'000'000 ? nValue * 10 + (c - '0') : nValue;
    return nValue;
}
}  // namespace

void CRtfInstructionReader::Begin() {
    m_text.clear();
    m_chars.clear();
    m_nFont = -1;
    m_formField = FormField{};
}

void CRtfInstructionReader::AppendBytes(std::string_view bytes, int32_t nRunFont) {
    if (m_text.size() >= kMaxInstruction) return;
    m_text.append(bytes.substr(0, kMaxInstruction));
    if (m_nFont < 0 && std::ranges::any_of(bytes, [](char c) { return static_cast<uint8_t>(c) >= 0x80; }))
        m_nFont = nRunFont;
}

void CRtfInstructionReader::AppendBackslash() {
    if (m_text.size() < kMaxInstruction) m_text += '\\';
}

// A button's text in letters beyond its font's code page comes as \uN: kept beside the bytes, a
// low surrogate joined to the high one just before it.
void CRtfInstructionReader::AppendUnit(char32_t unit) {
    if (unit == 0 || m_text.size() >= kMaxInstruction) return;
    if (IsLowSurrogate(unit) && AwaitsLowSurrogate()) {
        m_chars.back().ch = JoinSurrogates(m_chars.back().ch, unit);
        return;
    }
    m_chars.push_back({m_text.size(), unit});
    m_text += kCharPlaceholder;
}

bool CRtfInstructionReader::AwaitsLowSurrogate() const {
    return !m_chars.empty() && m_chars.back().nAt + 1 == m_text.size() && IsHighSurrogate(m_chars.back().ch);
}

void CRtfInstructionReader::BeginFormFieldEntry() {
    if (m_formField.entries.size() < kMaxEntries) m_formField.entries.emplace_back();
}

void CRtfInstructionReader::AppendFormFieldEntry(std::string_view bytes) {
    if (!m_formField.entries.empty() && m_formField.entries.back().size() < kMaxEntry)
        m_formField.entries.back().append(bytes.substr(0, kMaxEntry));
}

// The entry a drop-down form field shows; Word stores no result for it. nullopt for any other field.
std::optional<std::string> CRtfInstructionReader::ChosenFormFieldEntry() const {
    constexpr int32_t kDropDown = 2;
    constexpr int32_t kNoneChosen = 25;
    if (m_formField.nType != kDropDown) return std::nullopt;
    const int32_t nIndex = m_formField.nChosen == kNoneChosen ? m_formField.nDefault : m_formField.nChosen;
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_formField.entries.size()) return std::nullopt;
    return m_formField.entries[static_cast<size_t>(nIndex)];
}

CRtfInstructionReader::Shown CRtfInstructionReader::End(int32_t nOutlineLevel, std::string_view pageNumber) {
    Shown shown;
    shown.ch = SymbolFieldCharacter(m_text).value_or(0);
    const std::optional<std::string_view> button = ButtonDisplayText(m_text);
    // A button's or equation's text, in the font of its letters, with the \uN characters that stand
    // in it.
    const auto takeText = [&](std::string_view text) {
        shown.text = text;
        shown.nFont = m_nFont;
        const size_t nFrom = static_cast<size_t>(text.data() - m_text.data());
        for (const Char& c : m_chars)
            if (c.nAt >= nFrom && c.nAt < nFrom + text.size()) shown.chars.push_back({c.nAt - nFrom, c.ch});
    };
    // A number's letters beyond ASCII (Hebrew, Arabic) are characters, not bytes of a font.
    const auto takeNumber = [&](std::u32string_view number) {
        for (char32_t ch : number) {
            if (ch >= 0x80) shown.chars.push_back({shown.text.size(), ch});
            shown.text += ch < 0x80 ? static_cast<char>(ch) : kCharPlaceholder;
        }
    };
    if (IsPageField(m_text)) {
        const int32_t nFormat = FieldNumberFormat(m_text);
        if (nFormat == 0)
            shown.text = pageNumber;
        else
            takeNumber(FormatListNumber(NumberOfDigits(pageNumber), nFormat));
    } else if (std::optional<CRtfAutoNumbers::Number> number = m_autoNumbers.Next(m_text, nOutlineLevel)) {
        takeNumber(number->text);
        shown.text += number->separator;
    } else if (std::optional<std::string> entry = ChosenFormFieldEntry())
        shown.text = std::move(*entry);
    else if (button)
        takeText(*button);
    else if (const std::optional<std::string_view> lowered = LoweredEquationText(m_text))
        takeText(*lowered);
    else if (const std::optional<std::string_view> base = RubyBaseText(m_text))
        takeText(*base);
    m_text.clear();
    m_chars.clear();
    return shown;
}

}  // namespace velmora
