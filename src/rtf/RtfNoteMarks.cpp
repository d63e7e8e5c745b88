#include "RtfNoteMarks.h"

#include "RtfListTable.h"

namespace velmora {

namespace {
constexpr int32_t kDecimal = 0;
constexpr int32_t kLowerRoman = 2;
}  // namespace

std::u32string CRtfNoteMarks::NextFootnoteMark() { return FormatListNumber(++m_nFootnotes, kDecimal); }

void CRtfNoteMarks::SetMarkPlace(size_t nStart, size_t nEnd) {
    m_bMarkOpen = true;
    m_nMarkStart = nStart;
    m_nMarkEnd = nEnd;
}

bool CRtfNoteMarks::TakeLastMark(size_t nLength, size_t& nStart) {
    if (!m_bMarkOpen || m_nMarkEnd != nLength) return false;
    m_bMarkOpen = false;
    --m_nFootnotes;
    nStart = m_nMarkStart;
    return true;
}

std::u32string CRtfNoteMarks::NextEndnoteMark() { return FormatListNumber(++m_nEndnotes, kLowerRoman); }

}  // namespace velmora
