#include "RtfFontTable.h"

#include "CharFormat.h"

namespace velmora {

void CRtfFontTable::SetPendingCharset(int32_t nCharset) {
    m_bPendingCharset = nCharset >= 0 && nCharset <= 255 ? static_cast<uint8_t>(nCharset) : 0;
}

void CRtfFontTable::OnText(std::string_view text) {
    for (char c : text) {
        if (c == ';') EndEntry();
    }
}

void CRtfFontTable::EndEntry() {
    if (m_nPendingFont >= 0) SetCharset(m_nPendingFont, m_bPendingCharset);
    m_nPendingFont = -1;
    m_bPendingCharset = 0;
}

void CRtfFontTable::SetCharset(int32_t nFont, uint8_t bCharset) {
    if (bCharset == HEBREW_CHARSET) m_bDeclaresHebrew = true;
    if (nFont < kDirectFonts) {
        m_direct[static_cast<size_t>(nFont)] = bCharset;
    } else {
        m_others[nFont] = bCharset;
    }
}

uint8_t CRtfFontTable::CharsetOf(int32_t nFont) const {
    if (nFont < 0) return 0;
    if (nFont < kDirectFonts) return m_direct[static_cast<size_t>(nFont)];
    const auto it = m_others.find(nFont);
    return it != m_others.end() ? it->second : 0;
}

}  // namespace velmora
