#include "RtfParagraph.h"

#include "UnicodeLetters.h"

#include <algorithm>

namespace velmora {

void CRtfParagraph::SetFormat(const CharFormat& cf) {
    if (!m_stretches.empty()) {
        Stretch& last = m_stretches.back();
        if (last.cf == cf) return;
        if (last.nStart == m_nLength) {  // nothing was written in the last format
            m_stretches.pop_back();
            if (!m_stretches.empty() && m_stretches.back().cf == cf) return;
        }
    }
    m_stretches.push_back({m_nLength, cf});
}

void CRtfParagraph::Grow(size_t nChars) { m_text.resize(std::max(m_nLength + nChars, 2 * m_text.size())); }

const char32_t* CRtfParagraph::ByteCharsOf(const char32_t* pUpperHalf) {
    // The page used last comes first: runs in one font follow each other more often than not.
    if (m_byteChars[m_nLastByteChars].pUpperHalf == pUpperHalf) return m_byteChars[m_nLastByteChars].chars.data();
    for (size_t i = 0; i < m_byteChars.size(); ++i) {
        if (m_byteChars[i].pUpperHalf == pUpperHalf) {
            m_nLastByteChars = i;
            return m_byteChars[i].chars.data();
        }
    }
    m_nLastByteChars = (m_nLastByteChars + 1) % m_byteChars.size();
    ByteChars& table = m_byteChars[m_nLastByteChars];
    for (char32_t byte = 0; byte < 0x80; ++byte) table.chars[byte] = byte;
    for (size_t i = 0; i < 0x80; ++i) table.chars[0x80 + i] = pUpperHalf[i] != 0 ? pUpperHalf[i] : U'\uFFFD';
    table.pUpperHalf = pUpperHalf;
    return table.chars.data();
}

void CRtfParagraph::AppendBytes(std::string_view bytes, const char32_t* pUpperHalf) {
    const char32_t* const pChars = ByteCharsOf(pUpperHalf);
    char32_t* const pBegin = Room(bytes.size());
    char32_t* pOut = pBegin;
    // Hebrew letters and the blanks between them alternate: a table and no branch.
    for (const char c : bytes) {
        const auto byte = static_cast<uint8_t>(c);
        *pOut = pChars[byte];
        pOut += byte != 0;  // a NUL (\'00) carries nothing
    }
    Commit(static_cast<size_t>(pOut - pBegin));
}

void CRtfParagraph::Insert(size_t nPos, std::u32string_view text) {
    if (text.empty()) return;
    nPos = std::min(nPos, m_nLength);
    m_text.resize(m_nLength);
    m_text.insert(nPos, text);
    m_nLength = m_text.size();
    for (Stretch& stretch : m_stretches) {
        if (stretch.nStart > nPos) stretch.nStart += text.size();
    }
    for (LineBreak& lineBreak : m_breaks) {
        if (lineBreak.nPos >= nPos) lineBreak.nPos += text.size();
    }
}

void CRtfParagraph::Truncate(size_t nLength) {
    if (nLength >= m_nLength) return;
    m_nLength = nLength;
    for (Stretch& stretch : m_stretches) stretch.nStart = std::min(stretch.nStart, nLength);
    while (!m_breaks.empty() && m_breaks.back().nPos > nLength) m_breaks.pop_back();
}

bool CRtfParagraph::FirstLetterIsHebrew() const {
    const std::u32string_view text = Text();
    const auto it = std::find_if(text.begin(), text.end(), [](char32_t ch) { return IsLetter(ch); });
    return it != text.end() && IsHebrewScript(*it);
}

CharFormat CRtfParagraph::NeutralFormat(const CharFormat& cf) const {
    CharFormat neutral = cf;
    if (m_bInferCharset && m_bRtl) neutral.bCharSet = HEBREW_CHARSET;
    return neutral;
}

CharFormat CRtfParagraph::Emit(IRtfSink& sink, uint16_t wAlignment, RtfDirection direction, bool bInferCharset,
                               const CharFormat& cfEnd) {
    if (m_stretches.empty() || m_stretches.front().nStart != 0)
        m_stretches.insert(m_stretches.begin(), {0, CharFormat{}});
    m_bInferCharset = bInferCharset;
    m_bRtl =
        direction == RtfDirection::Rtl || (bInferCharset && direction == RtfDirection::None && FirstLetterIsHebrew());
    sink.SetParagraphFormat(wAlignment, direction == RtfDirection::Rtl);

    const size_t nLength = m_nLength;
    size_t iStretch = 0;
    size_t iBreak = 0;
    size_t nPos = 0;
    for (;;) {
        while (iBreak < m_breaks.size() && m_breaks[iBreak].nPos == nPos) {
            sink.EndParagraph(NeutralFormat(m_breaks[iBreak].cf));
            ++iBreak;
        }
        if (nPos >= nLength) break;
        while (iStretch + 1 < m_stretches.size() && m_stretches[iStretch + 1].nStart <= nPos) ++iStretch;
        size_t nEnd = iStretch + 1 < m_stretches.size() ? m_stretches[iStretch + 1].nStart : nLength;
        if (iBreak < m_breaks.size()) nEnd = std::min(nEnd, m_breaks[iBreak].nPos);
        EmitRange(sink, nPos, nEnd, m_stretches[iStretch].cf);
        nPos = nEnd;
    }

    const CharFormat cfResolvedEnd = NeutralFormat(cfEnd);
    // The format in effect goes on into the next paragraph.
    const CharFormat cfGoingOn = m_stretches.empty() ? CharFormat{} : m_stretches.back().cf;
    m_nLength = 0;
    m_stretches.assign(1, {0, cfGoingOn});
    m_breaks.clear();
    return cfResolvedEnd;
}

void CRtfParagraph::EmitRange(IRtfSink& sink, size_t nStart, size_t nEnd, const CharFormat& cf) const {
    if (m_bInferCharset) {
        EmitInferred(sink, nStart, nEnd, cf);
    } else {
        sink.AppendText(Text().substr(nStart, nEnd - nStart), cf);
    }
}

void CRtfParagraph::EmitInferred(IRtfSink& sink, size_t nStart, size_t nEnd, const CharFormat& cf) const {
    const uint8_t bFontSet = cf.bCharSet;
    const bool bRtl = m_bRtl;
    auto charsetOf = [bFontSet, bRtl](char32_t ch) { return InferredCharSet(ch, bRtl, bFontSet); };
    const std::u32string_view text = Text();
    CharFormat cfRun = cf;
    size_t nRunStart = nStart;
    cfRun.bCharSet = charsetOf(text[nStart]);
    for (size_t i = nStart + 1; i < nEnd; ++i) {
        const uint8_t bSet = charsetOf(text[i]);
        if (bSet == cfRun.bCharSet) continue;
        sink.AppendText(text.substr(nRunStart, i - nRunStart), cfRun);
        nRunStart = i;
        cfRun.bCharSet = bSet;
    }
    sink.AppendText(text.substr(nRunStart, nEnd - nRunStart), cfRun);
}

}  // namespace velmora
