#include "TextModel.h"

#include <algorithm>

namespace velmora {

CharFormat MakeCharFormat(bool bBold, bool bItalic, bool bUnderline, bool bStrike, bool bAutoColor, uint32_t crColor,
                          int32_t yHeight, uint8_t bCharSet) {
    CharFormat cf;
    cf.dwMask = CFM_ALL_SINGLE;
    cf.dwEffects = (bBold ? CFE_BOLD : 0u) | (bItalic ? CFE_ITALIC : 0u) | (bUnderline ? CFE_UNDERLINE : 0u) |
                   (bStrike ? CFE_STRIKEOUT : 0u) | (bAutoColor ? CFE_AUTOCOLOR : 0u);
    cf.crTextColor = bAutoColor ? 0u : (crColor & 0x00FFFFFFu);
    cf.yHeight = yHeight;
    cf.bCharSet = bCharSet;
    return cf;
}

namespace {

constexpr char32_t kBlank = U' ';

}  // namespace

template <typename CharT>
BasicTextModel<CharT>::BasicTextModel() {
    Clear();
}

template <typename CharT>
void BasicTextModel<CharT>::Clear() {
    ++m_nRevision;
    m_text.clear();
    m_formatRunStarts.clear();
    m_formatRunIds.clear();
    m_nFormatHint = 0;
    m_formats.clear();
    m_formatIndex.clear();
    m_nLastFormat = UINT32_MAX;
    m_paragraphs.assign(1, Paragraph{});
    m_nParagraphHint = 0;
    m_lineStarts.assign(1, 0);
    m_nLayoutColumns = 0;
    m_nSelStart = m_nSelEnd = 0;
}

template <typename CharT>
void BasicTextModel<CharT>::Reserve(size_t nChars) {
    m_text.reserve(nChars);
}

template <typename CharT>
void BasicTextModel<CharT>::ReserveFormatRuns(size_t nRuns) {
    m_formatRunStarts.reserve(nRuns);
    m_formatRunIds.reserve(nRuns);
}

template <typename CharT>
uint32_t BasicTextModel<CharT>::InternFormat(const CharFormat& cf) {
    if (m_nLastFormat != UINT32_MAX && m_formats[m_nLastFormat] == cf) return m_nLastFormat;
    // A document has few formats as a rule: looking at each is quicker than hashing.
    constexpr size_t kScannedFormats = 16;
    if (m_formats.size() <= kScannedFormats) {
        for (size_t id = 0; id < m_formats.size(); ++id) {
            if (m_formats[id] == cf) return m_nLastFormat = static_cast<uint32_t>(id);
        }
    }
    auto& candidates = m_formatIndex[HashCharFormat(cf)];
    for (uint32_t id : candidates) {
        if (m_formats[id] == cf) return m_nLastFormat = id;
    }
    const auto id = static_cast<uint32_t>(m_formats.size());
    m_formats.push_back(cf);
    candidates.push_back(id);
    return m_nLastFormat = id;
}

template <typename CharT>
void BasicTextModel<CharT>::Append(StringView text, const CharFormat& cf) {
    if (text.empty()) return;
    Append(text, InternFormat(cf));
}

template <typename CharT>
void BasicTextModel<CharT>::Append(StringView text, uint32_t nFormatId) {
    if (text.empty()) return;
    AppendFormatRun(nFormatId, Length());
    ++m_nRevision;
    m_text.append(text);
}

template <typename CharT>
void BasicTextModel<CharT>::Append(StringView text, std::span<const FormatStretch> stretches) {
    if (text.empty() || stretches.empty()) return;
    const auto nBase = static_cast<int32_t>(m_text.size());
    for (const FormatStretch& stretch : stretches) {
        if (stretch.nStart >= text.size()) break;
        // The first stretch holds the text's start whatever it says: no character goes without a format.
        const int32_t nStart = nBase + (&stretch == stretches.data() ? 0 : static_cast<int32_t>(stretch.nStart));
        // An empty stretch before this one gives way to it.
        if (!m_formatRunStarts.empty() && m_formatRunStarts.back() == nStart) {
            m_formatRunStarts.pop_back();
            m_formatRunIds.pop_back();
        }
        AppendFormatRun(stretch.nFormatId, nStart);
    }
    ++m_nRevision;
    m_text.append(text);
}

template <typename CharT>
CharT* BasicTextModel<CharT>::AppendSpace(size_t n, const CharFormat& cf) {
    const auto nAt = static_cast<size_t>(Length());
    AppendFormatRun(InternFormat(cf), Length());
    ++m_nRevision;
    m_text.resize(nAt + n);
    return m_text.data() + nAt;
}

template <typename CharT>
void BasicTextModel<CharT>::Append(CharT ch, const CharFormat& cf) {
    AppendFormatRun(InternFormat(cf), Length());
    m_text.push_back(ch);
    ++m_nRevision;
}

template <typename CharT>
void BasicTextModel<CharT>::AppendFormatRun(uint32_t id, int32_t nStart) {
    if (!m_formatRunIds.empty() && m_formatRunIds.back() == id) return;
    m_formatRunStarts.push_back(nStart);
    m_formatRunIds.push_back(id);
}

template <typename CharT>
size_t BasicTextModel<CharT>::FormatRunIndex(int32_t pos) const {
    const size_t nRuns = m_formatRunStarts.size();
    auto holds = [&](size_t r) {
        return r < nRuns && m_formatRunStarts[r] <= pos && (r + 1 == nRuns || pos < m_formatRunStarts[r + 1]);
    };
    if (holds(m_nFormatHint)) return m_nFormatHint;
    if (holds(m_nFormatHint + 1)) return ++m_nFormatHint;
    auto it = std::upper_bound(m_formatRunStarts.begin(), m_formatRunStarts.end(), pos);
    m_nFormatHint = it == m_formatRunStarts.begin() ? 0 : static_cast<size_t>(it - m_formatRunStarts.begin() - 1);
    return m_nFormatHint;
}

template <typename CharT>
int32_t BasicTextModel<CharT>::FormatRunEnd(int32_t pos) const {
    if (m_formatRunStarts.size() == 1) return Length();
    const size_t r = FormatRunIndex(pos) + 1;
    return r < m_formatRunStarts.size() ? m_formatRunStarts[r] : Length();
}

template <typename CharT>
void BasicTextModel<CharT>::BreakParagraph(const CharFormat& cfBreak) {
    BreakParagraph(InternFormat(cfBreak));
}

template <typename CharT>
void BasicTextModel<CharT>::BreakParagraph(uint32_t nBreakFormatId) {
    const CharT paragraphEnd[2] = {CharT('\r'), CharT('\n')};
    Append(StringView(paragraphEnd, 2), nBreakFormatId);
    Paragraph next = m_paragraphs.back();
    next.nStart = Length();
    m_paragraphs.push_back(next);
    if (m_nLayoutColumns == 0) {
        m_lineStarts.push_back(next.nStart);
    } else {
        ResetLinesToParagraphs();
    }
}

template <typename CharT>
void BasicTextModel<CharT>::SetParagraphAlignment(uint16_t wAlignment) {
    m_paragraphs.back().wAlignment = wAlignment;
}

template <typename CharT>
void BasicTextModel<CharT>::SetParagraphRtl(bool bRtl) {
    m_paragraphs.back().bRtl = bRtl;
}

template <typename CharT>
const CharFormat& BasicTextModel<CharT>::FormatAt(int32_t pos) const {
    if (m_text.empty()) return m_defaultFormat;
    const int32_t clamped = std::clamp(pos, 0, Length() - 1);
    return m_formats[FormatIdAt(clamped)];
}

template <typename CharT>
size_t BasicTextModel<CharT>::ParagraphIndexAt(int32_t pos) const {
    // Conversions ask in text order, so the last answer and the next paragraph come first.
    const size_t nCount = m_paragraphs.size();
    for (size_t i = m_nParagraphHint; i < nCount && i <= m_nParagraphHint + 1; ++i) {
        if (m_paragraphs[i].nStart <= pos && (i + 1 == nCount || pos < m_paragraphs[i + 1].nStart)) {
            return m_nParagraphHint = i;
        }
    }
    auto it = std::upper_bound(m_paragraphs.begin(), m_paragraphs.end(), pos,
                               [](int32_t p, const Paragraph& para) { return p < para.nStart; });
    m_nParagraphHint = it == m_paragraphs.begin() ? 0 : static_cast<size_t>(it - m_paragraphs.begin() - 1);
    return m_nParagraphHint;
}

template <typename CharT>
int32_t BasicTextModel<CharT>::ParagraphEnd(size_t i) const {
    return i + 1 < m_paragraphs.size() ? m_paragraphs[i + 1].nStart : Length();
}

template <typename CharT>
int32_t BasicTextModel<CharT>::LineEnd(int32_t nLine) const {
    const auto next = static_cast<size_t>(nLine) + 1;
    return next < m_lineStarts.size() ? m_lineStarts[next] : Length();
}

// ---------------------------------------------------------------- layout

template <typename CharT>
void BasicTextModel<CharT>::ResetLinesToParagraphs() {
    m_nLayoutColumns = 0;
    m_lineStarts.clear();
    for (const Paragraph& para : m_paragraphs) m_lineStarts.push_back(para.nStart);
}

template <typename CharT>
void BasicTextModel<CharT>::LayOut(int32_t nColumns) {
    if (nColumns <= 0) {
        ResetLinesToParagraphs();
        return;
    }
    m_nLayoutColumns = nColumns;
    m_lineStarts.clear();
    for (size_t i = 0; i < m_paragraphs.size(); ++i) {
        const int32_t nStart = m_paragraphs[i].nStart;
        const bool bLast = i + 1 == m_paragraphs.size();
        const int32_t nTextEnd = bLast ? Length() : ParagraphEnd(i) - 2;  // without CR LF
        LayOutParagraph(nStart, nTextEnd, nColumns);
    }
}

template <typename CharT>
void BasicTextModel<CharT>::LayOutParagraph(int32_t nStart, int32_t nTextEnd, int32_t nColumns) {
    int32_t r = nStart;  // start of the rest R
    for (;;) {
        m_lineStarts.push_back(r);
        const int32_t nRest = nTextEnd - r;
        if (nRest <= nColumns) return;
        const int32_t edge = r + nColumns;
        if (m_text[static_cast<size_t>(edge)] == kBlank) {
            int32_t next = edge;
            while (next < nTextEnd && m_text[static_cast<size_t>(next)] == kBlank) ++next;
            if (next == nTextEnd) return;  // only blanks were left: they end the last line
            r = next;
            continue;
        }
        int32_t lastBlank = -1;
        for (int32_t q = edge - 1; q >= r; --q) {
            if (m_text[static_cast<size_t>(q)] == kBlank) {
                lastBlank = q;
                break;
            }
        }
        r = lastBlank >= 0 ? lastBlank + 1 : edge;
    }
}

template <typename CharT>
bool BasicTextModel<CharT>::SetLineStarts(std::vector<int32_t> lineStarts) {
    if (lineStarts.empty() || lineStarts.front() != 0) return false;
    for (size_t i = 1; i < lineStarts.size(); ++i) {
        if (lineStarts[i] <= lineStarts[i - 1] || lineStarts[i] > Length()) return false;
        // Only the empty paragraph after a final CR LF may start at the text length.
        if (lineStarts[i] == Length() &&
            (i + 1 != lineStarts.size() || Length() < 2 || m_text[static_cast<size_t>(Length()) - 1] != CharT('\n')))
            return false;
    }
    m_lineStarts = std::move(lineStarts);
    m_nLayoutColumns = -1;
    return true;
}

// ---------------------------------------------------------------- editor operations

template <typename CharT>
void BasicTextModel<CharT>::SetSel(int32_t nStart, int32_t nEnd) {
    const int32_t len = Length();
    if (nStart == 0 && nEnd == -1) {
        m_nSelStart = 0;
        m_nSelEnd = len;
        return;
    }
    if (nEnd < 0) nEnd = len;
    nStart = std::clamp(nStart, 0, len);
    nEnd = std::clamp(nEnd, 0, len);
    if (nStart > nEnd) std::swap(nStart, nEnd);
    m_nSelStart = nStart;
    m_nSelEnd = nEnd;
}

template <typename CharT>
void BasicTextModel<CharT>::GetSel(int32_t& nStart, int32_t& nEnd) const {
    nStart = m_nSelStart;
    nEnd = m_nSelEnd;
}

template <typename CharT>
typename BasicTextModel<CharT>::String BasicTextModel<CharT>::GetSelText() const {
    const int32_t a = std::clamp(m_nSelStart, 0, Length());
    const int32_t b = std::clamp(m_nSelEnd, a, Length());
    return m_text.substr(static_cast<size_t>(a), static_cast<size_t>(b - a));
}

template <typename CharT>
CharFormat BasicTextModel<CharT>::GetSelCharFormat() const {
    const int32_t a = std::clamp(m_nSelStart, 0, Length());
    const int32_t b = std::clamp(m_nSelEnd, a, Length());
    if (a == b) return FormatAt(a > 0 ? a - 1 : 0);
    CharFormat cf = FormatAt(a);
    for (int32_t q = FormatRunEnd(a); q < b; q = FormatRunEnd(q)) {
        const CharFormat& other = m_formats[FormatIdAt(q)];
        const uint32_t differ = cf.dwEffects ^ other.dwEffects;
        if (differ & CFE_BOLD) cf.dwMask &= ~CFM_BOLD;
        if (differ & CFE_ITALIC) cf.dwMask &= ~CFM_ITALIC;
        if (differ & CFE_UNDERLINE) cf.dwMask &= ~CFM_UNDERLINE;
        if (differ & CFE_STRIKEOUT) cf.dwMask &= ~CFM_STRIKEOUT;
        if ((differ & CFE_AUTOCOLOR) || cf.crTextColor != other.crTextColor) cf.dwMask &= ~CFM_COLOR;
        if (cf.yHeight != other.yHeight) cf.dwMask &= ~CFM_SIZE;
        if (cf.bCharSet != other.bCharSet) cf.dwMask &= ~CFM_CHARSET;
    }
    return cf;
}

template <typename CharT>
ParaFormat BasicTextModel<CharT>::GetSelParaFormat() const {
    const int32_t a = std::clamp(m_nSelStart, 0, Length());
    const int32_t b = std::clamp(m_nSelEnd, a, Length());
    const size_t first = ParagraphIndexAt(a);
    const size_t last = b > a ? ParagraphIndexAt(b - 1) : first;
    ParaFormat pf;
    pf.wAlignment = m_paragraphs[first].wAlignment;
    pf.dwMask = PFM_ALIGNMENT;
    for (size_t i = first + 1; i <= last; ++i) {
        if (m_paragraphs[i].wAlignment != pf.wAlignment) {
            pf.dwMask &= ~PFM_ALIGNMENT;
            break;
        }
    }
    return pf;
}

template <typename CharT>
typename BasicTextModel<CharT>::String BasicTextModel<CharT>::GetLine(int32_t nLine) const {
    if (nLine < 0 || nLine >= GetLineCount()) return {};
    const int32_t a = LineStart(nLine);
    return m_text.substr(static_cast<size_t>(a), static_cast<size_t>(LineEnd(nLine) - a));
}

template class BasicTextModel<char32_t>;
template class BasicTextModel<char8_t>;

}  // namespace velmora
