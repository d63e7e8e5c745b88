#pragma once
// The fonts of an RTF document as far as reading text needs them: the character set of each, and
// the code page of the few that name one.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace velmora {

class CRtfFontTable {
public:
    // --- Filled from the \fonttbl destination. ---
    void SetPendingFont(int32_t nFont) { m_nPendingFont = nFont; }
    // \af in an entry: Syncfusion's DocIO numbers some fonts so ({\af0\fcharset0 Times New
    // Roman;}), and readers take it for the entry's number when the entry has no \f.
    void SetPendingAssociatedFont(int32_t nFont) { m_nPendingAssociatedFont = nFont; }
    void SetPendingCharset(int32_t nCharset);
    void SetPendingCodePage(int32_t nCodePage);  // \cpg
    // Text inside the table: every ';' ends the pending entry (the rest is the font's name).
    void OnText(std::string_view text);
    // The end of an entry's group, or of the table: ends the pending entry if it is still open.
    void EndEntry();

    // The \fcharset the table gives font nFont, or -1 when it gives none (or has no such font).
    int32_t DeclaredCharset(int32_t nFont) const;
    // The code page the table gives font nFont with \cpg, or 0 when it gives none.
    uint16_t DeclaredCodePage(int32_t nFont) const;
    // True once some font declared \fcharset177.
    bool DeclaresHebrew() const { return m_bDeclaresHebrew; }
    // True when font nFont is named as one of Windows' picture fonts (Symbol, Wingdings...): its
    // bytes are pictures whatever set the table declares for it.
    bool IsNamedPictureFont(int32_t nFont) const { return m_pictureFonts.count(nFont) != 0; }

private:
    void SetCharset(int32_t nFont, int16_t nCharset);
    int32_t PendingNumber() const { return m_nPendingFont >= 0 ? m_nPendingFont : m_nPendingAssociatedFont; }

    static constexpr int32_t kDirectFonts = 1024;  // font numbers below this skip the hash map
    std::vector<int16_t> m_direct = std::vector<int16_t>(kDirectFonts, int16_t{-1});
    std::unordered_map<int32_t, int16_t> m_others;
    int32_t m_nPendingFont = -1;
    int32_t m_nPendingAssociatedFont = -1;
    int16_t m_nPendingCharset = -1;
    uint16_t m_nPendingCodePage = 0;
    std::string m_pendingName;
    std::unordered_set<int32_t> m_pictureFonts;
    std::unordered_map<int32_t, uint16_t> m_codePages;  // the few fonts that name one
    bool m_bDeclaresHebrew = false;
};

}  // namespace velmora
