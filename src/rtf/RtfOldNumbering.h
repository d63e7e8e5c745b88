#pragma once
// Word 6 and 95 numbering: a paragraph's {\pn ...} says how it is numbered (\pnlvlbody) or
// bulleted (\pnlvlblt). Writers of that time render the label in \pntext as well; this gives the
// label for a paragraph whose writer did not. Numbered paragraphs count on across the document
// from the first one's \pnstart, as other readers number them; a bullet is the dot.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class CRtfOldNumbering {
public:
    // --- Filled while a {\pn ...} group is read. ---
    void Begin();
    void SetBody() { m_current.kind = Kind::Body; }
    void SetBullet() { m_current.kind = Kind::Bullet; }
    void SetUnlabelled() { m_current.kind = Kind::None; }             // outline levels, \pnlvlcont
    void SetFormat(int32_t nFormat) { m_current.nFormat = nFormat; }  // as \levelnfc
    void SetStart(int32_t nStart) { m_current.nStart = nStart; }
    void AddText(bool bAfter, char32_t ch);
    // The group ended: the numbering it described, to hold in the paragraph's state (0: none).
    int32_t End();

    // The label of the next paragraph in numbering nNumbering (from End), with the tab after it,
    // and counts that paragraph; empty for 0 or a numbering that gives no label. A format whose
    // numbers this reader does not spell out (Hebrew or Arabic letters by the paragraph's language,
    // numbers in words) gives the label its writer rendered, else decimal, as other readers show it.
    std::u32string NextLabel(int32_t nNumbering, std::u32string_view rendered);

private:
    enum class Kind : uint8_t {
        None,
        Body,
        Bullet
    };
    struct Numbering {
        Kind kind = Kind::None;
        int32_t nFormat = 0;
        int32_t nStart = 1;
        std::u32string before;
        std::u32string after;
    };

    Numbering m_current;
    std::vector<Numbering> m_numberings;
    int32_t m_nLastNumber = 0;
    bool m_bCounting = false;
};

}  // namespace velmora
