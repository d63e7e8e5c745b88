#include "RtfNoteMarks.h"

#include "RtfListTable.h"

#include <algorithm>

namespace velmora {

namespace {
constexpr int32_t kNoteSymbols = 9;
constexpr int32_t kMaxStart = 32767;

// *, †, ‡, §, then each symbol twice, three times...
std::u32string NoteSymbols(int32_t nValue) {
    static constexpr char32_t kSymbols[] = {U'*', U'\u2020', U'\u2021', U'\u00a7'};
    if (nValue <= 0) return {};
    const auto nRepeat = static_cast<size_t>((nValue - 1) / 4 + 1);
    return std::u32string(std::min<size_t>(nRepeat, 100), kSymbols[(nValue - 1) % 4]);
}

std::u32string FormatNoteNumber(int32_t nValue, int32_t nFormat) {
    return nFormat == kNoteSymbols ? NoteSymbols(nValue) : FormatListNumber(nValue, nFormat);
}
}  // namespace

void CRtfNoteMarks::SetFootnoteStart(int32_t nStart) { m_nFootnoteStart = std::clamp(nStart, 1, kMaxStart); }

void CRtfNoteMarks::SetEndnoteStart(int32_t nStart) { m_nEndnoteStart = std::clamp(nStart, 1, kMaxStart); }

std::u32string CRtfNoteMarks::NextFootnoteMark() {
    return FormatNoteNumber(m_nFootnoteStart + m_nFootnotes++, m_nFootnoteFormat);
}

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

std::u32string CRtfNoteMarks::NextEndnoteMark() {
    return FormatNoteNumber(m_nEndnoteStart + m_nEndnotes++, m_nEndnoteFormat);
}

}  // namespace velmora
