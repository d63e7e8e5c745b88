#include "RtfFontTable.h"

#include "AsciiCase.h"
#include "CharFormat.h"

#include <algorithm>

namespace velmora {
namespace {

// Windows draws these fonts' bytes as pictures: a writer that declares the Western set for one
// (\fcharset0 Symbol) still means Symbol's pictures.
bool IsPictureFontName(std::string_view name) {
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    static constexpr std::string_view kPictureFonts[] = {"Symbol",   "Wingdings",    "Wingdings 2",   "Wingdings 3",
                                                         "Webdings", "ZapfDingbats", "Zapf Dingbats", "MT Extra"};
    return std::any_of(std::begin(kPictureFonts), std::end(kPictureFonts),
                       [name](std::string_view font) { return EqualsIgnoringAsciiCase(name, font); });
}

}  // namespace

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
    constexpr size_t kLongestName = 64;
    for (char c : text) {
        if (c == ';') {
            EndEntry();
        } else if (PendingNumber() >= 0 && m_pendingName.size() < kLongestName) {
            m_pendingName += c;
        }
    }
}

void CRtfFontTable::EndEntry() {
    const int32_t nFont = PendingNumber();
    if (nFont >= 0) {
        SetCharset(nFont, m_nPendingCharset);
        if (m_nPendingCodePage != 0) {
            m_codePages[nFont] = m_nPendingCodePage;
        } else {
            m_codePages.erase(nFont);
        }
        if (IsPictureFontName(m_pendingName)) {
            m_pictureFonts.insert(nFont);
        } else {
            m_pictureFonts.erase(nFont);
        }
    }
    m_pendingName.clear();
    m_nPendingFont = -1;
    m_nPendingAssociatedFont = -1;
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
