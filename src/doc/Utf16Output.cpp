#include "Utf16Output.h"

namespace velmora {

void CUtf16Output::Add(std::u32string_view text) {
    if (!m_bStarted && !text.empty()) {
        m_bStarted = true;
        if (text.front() == U'\uFEFF') text.remove_prefix(1);
    }
    auto nUnits = static_cast<qsizetype>(text.size());
    bool bBeyondUnicode = false;
    for (const char32_t ch : text) {
        nUnits += ch > 0xFFFF ? 1 : 0;
        bBeyondUnicode |= ch > 0x10FFFF;
    }
    if (bBeyondUnicode) {
        AddOneByOne(text);
        return;
    }
    const qsizetype nAt = m_str.size();
    m_str.resize(nAt + nUnits);
    QChar* pOut = m_str.data() + nAt;
    for (const char32_t ch : text) {
        if (ch <= 0xFFFF) {
            *pOut++ = QChar(static_cast<char16_t>(ch));
        } else {
            *pOut++ = QChar(QChar::highSurrogate(ch));
            *pOut++ = QChar(QChar::lowSurrogate(ch));
        }
    }
}

// No character of a document lies beyond U+10FFFF; should one come, Qt converts it as it would.
void CUtf16Output::AddOneByOne(std::u32string_view text) {
    for (const char32_t ch : text) {
        if (ch <= 0xFFFF) {
            m_str.append(QChar(static_cast<char16_t>(ch)));
        } else {
            m_str.append(QString::fromUcs4(&ch, 1));
        }
    }
}

}  // namespace velmora
