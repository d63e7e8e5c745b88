#include "RtfFontTable.h"

#include "CharFormat.h"

namespace velmora {

void CRtfFontTable::SetPendingCharset(int32_t nCharset) {
    m_nPendingCharset = nCharset >= 0 && nCharset <= 255 ? static_cast<int16_t>(nCharset) : int16_t{0};
}

void CRtfFontTable::OnText(std::string_view text) {
    for (char c : text) {
        if (c == ';') EndEntry();
    }
}

void CRtfFontTable::EndEntry() {
    if (m_nPendingFont >= 0) SetCharset(m_nPendingFont, m_nPendingCharset);
    m_nPendingFont = -1;
    m_nPendingCharset = -1;
}

void CRtfFontTable::SetCharset(int32_t nFont, int16_t nCharset) {
    if (nCharset == HEBREW_CHARSET) m_bDeclaresHebrew = true;
    if (nFont < kDirectFonts) {
        m_direct[static_cast<size_t>(nFont)] = nCharset;
    } else {
        m_others[nFont] = nCharset;
    }
}

int32_t CRtfFontTable::DeclaredCharset(int32_t nFont) const {
    if (nFont < 0) return -1;
    if (nFont < kDirectFonts) return m_direct[static_cast<size_t>(nFont)];
    const auto it = m_others.find(nFont);
    return it != m_others.end() ? it->second : -1;
}

}  // namespace velmora
