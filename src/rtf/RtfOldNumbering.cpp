#include "RtfOldNumbering.h"

#include "RtfControlWords.h"
#include "RtfListTable.h"

#include <limits>

namespace velmora {

namespace {
constexpr size_t kMaxNumberings = 4096;  // a document of nothing but {\pn} costs little
constexpr size_t kMaxTextLength = 32;
}  // namespace

void CRtfOldNumbering::Begin() { m_current = Numbering{}; }

void CRtfOldNumbering::AddText(bool bAfter, char32_t ch) {
    std::u32string& text = bAfter ? m_current.after : m_current.before;
    if (ch >= 0x20 && text.size() < kMaxTextLength) text += ch;
}

int32_t CRtfOldNumbering::End() {
    if (m_current.kind == Kind::None) return 0;
    // Paragraphs in a row repeat the same {\pn}: they share one entry.
    if (m_numberings.empty() || m_numberings.back().kind != m_current.kind ||
        m_numberings.back().nFormat != m_current.nFormat || m_numberings.back().nStart != m_current.nStart ||
        m_numberings.back().before != m_current.before || m_numberings.back().after != m_current.after) {
        if (m_numberings.size() >= kMaxNumberings) return static_cast<int32_t>(m_numberings.size());
        m_numberings.push_back(m_current);
    }
    return static_cast<int32_t>(m_numberings.size());
}

std::u32string CRtfOldNumbering::NextLabel(int32_t nNumbering, std::u32string_view rendered) {
    if (nNumbering <= 0 || static_cast<size_t>(nNumbering) > m_numberings.size()) return {};
    const Numbering& numbering = m_numberings[static_cast<size_t>(nNumbering) - 1];
    if (numbering.kind == Kind::Bullet) return U"\u2022\t";
    if (m_bCounting && m_nLastNumber < std::numeric_limits<int32_t>::max()) {
        ++m_nLastNumber;
    } else if (!m_bCounting) {
        m_nLastNumber = numbering.nStart;
        m_bCounting = true;
    }
    if (numbering.nFormat == static_cast<int32_t>(kOldNumberingRenderedOnly)) {
        if (!rendered.empty()) return std::u32string(rendered);
        return numbering.before + FormatListNumber(m_nLastNumber, 0) + numbering.after + U'\t';
    }
    return numbering.before + FormatListNumber(m_nLastNumber, numbering.nFormat) + numbering.after + U'\t';
}

}  // namespace velmora
