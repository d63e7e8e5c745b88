#include "RtfFontTable.h"

#include "CharFormat.h"

namespace velmora {

// A set number no Windows font has (Word for the Mac writes \fcharset256) names no set: the
// font's text follows the document's code page, as it does for the default set 1.
void CRtfFontTable::SetPendingCharset(int32_t nCharset) {
    constexpr int16_t kDefaultCharset = 1;
    m_nPendingCharset = nCharset >= 0 && nCharset <= 255 ? static_cast<int16_t>(nCharset) : kDefaultCharset;
}

void CRtfFontTable::SetPendingCodePage(int32_t nCodePage) {
    m_nPendingCodePage = nCodePage > 0 && nCodePage <= 0xFFFF ? static_cast<uint16_t>(nCodePage) : uint16_t{0};
}

void CRtfFontTable::OnText(std::string_view text) {
    for (char c : text) {
        if (c == ';') EndEntry();
    }
}

void CRtfFontTable::EndEntry() {
    if (m_nPendingFont >= 0) {
        SetCharset(m_nPendingFont, m_nPendingCharset);
        if (m_nPendingCodePage != 0) {
            m_codePages[m_nPendingFont] = m_nPendingCodePage;
        } else {
            m_codePages.erase(m_nPendingFont);
        }
    }
    m_nPendingFont = -1;
    m_nPendingCharset = -1;
    m_nPendingCodePage = 0;
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

uint16_t CRtfFontTable::DeclaredCodePage(int32_t nFont) const {
    if (m_codePages.empty()) return 0;
    const auto it = m_codePages.find(nFont);
    return it != m_codePages.end() ? it->second : uint16_t{0};
}

}  // namespace velmora
