#include "RtfParagraph.h"

#include "UnicodeLetters.h"

#include <algorithm>

namespace velmora {

namespace {

// The number the sink hears for a format: the reader's, doubled, plus 1 where the character
// set was inferred as Hebrew over the font's (the only change inference makes). The paragraph
// holds formats numbered so from the start.
KeyedCharFormat SinkFormat(const KeyedCharFormat& format) { return {format.cf, format.nKey * 2}; }

KeyedCharFormat WithCharSet(const KeyedCharFormat& format, uint8_t bCharSet) {
    if (bCharSet == format.cf.bCharSet) return format;
    KeyedCharFormat result{format.cf, format.nKey + 1};
    result.cf.bCharSet = bCharSet;
    return result;
}

}  // namespace

void CRtfParagraph::AddLineBreak(const KeyedCharFormat& format) { m_breaks.push_back({m_nLength, SinkFormat(format)}); }

void CRtfParagraph::SetFormat(const KeyedCharFormat& format) {
    const uint32_t nKey = format.nKey * 2;
    if (!m_stretches.empty()) {
        KeyedRun& last = m_stretches.back();
        if (last.format.nKey == nKey) return;
        if (last.nStart == m_nLength) {  // nothing was written in the last format
            m_stretches.pop_back();
            if (!m_stretches.empty() && m_stretches.back().format.nKey == nKey) return;
        }
    }
    m_stretches.push_back({m_nLength, SinkFormat(format)});
}

void CRtfParagraph::Grow(size_t nChars) { m_text.resize(std::max(m_nLength + nChars, 2 * m_text.size())); }

const char32_t* CRtfParagraph::ByteCharsOf(const char32_t* pUpperHalf) {
    // Runs go back and forth between the pages of a few fonts: every slot is looked at, with no
    // branch on which one holds the page, so that the back and forth is never mispredicted.
    size_t iFound = m_byteChars.size();
    for (size_t i = 0; i < m_byteChars.size(); ++i) iFound = m_byteChars[i].pUpperHalf == pUpperHalf ? i : iFound;
    if (iFound < m_byteChars.size()) {
        m_nLastByteChars = iFound;
        return m_byteChars[iFound].chars.data();
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
    for (KeyedRun& stretch : m_stretches) {
        if (stretch.nStart > nPos) stretch.nStart += text.size();
    }
    for (LineBreak& lineBreak : m_breaks) {
        if (lineBreak.nPos >= nPos) lineBreak.nPos += text.size();
    }
}

void CRtfParagraph::Truncate(size_t nLength) {
    if (nLength >= m_nLength) return;
    m_nLength = nLength;
    for (KeyedRun& stretch : m_stretches) stretch.nStart = std::min(stretch.nStart, nLength);
    while (!m_breaks.empty() && m_breaks.back().nPos > nLength) m_breaks.pop_back();
}

bool CRtfParagraph::FirstLetterIsHebrew() const {
    const std::u32string_view text = Text();
    const auto it = std::find_if(text.begin(), text.end(), [](char32_t ch) { return IsLetter(ch); });
    return it != text.end() && IsHebrewScript(*it);
}

KeyedCharFormat CRtfParagraph::NeutralFormat(const KeyedCharFormat& format) const {
    return m_bInferCharset && m_bRtl ? WithCharSet(format, HEBREW_CHARSET) : format;
}

KeyedCharFormat CRtfParagraph::Emit(IRtfSink& sink, uint16_t wAlignment, RtfDirection direction, bool bInferCharset,
                                    const KeyedCharFormat& formatEnd) {
    if (m_stretches.empty() || m_stretches.front().nStart != 0)
        m_stretches.insert(m_stretches.begin(), {0, KeyedCharFormat{}});
    m_bInferCharset = bInferCharset;
    m_bRtl =
        direction == RtfDirection::Rtl || (bInferCharset && direction == RtfDirection::None && FirstLetterIsHebrew());
    sink.SetParagraphFormat(wAlignment, direction == RtfDirection::Rtl);

    const size_t nLength = m_nLength;
    // The common case: the runs are the stretches as they stand.
    if (!m_bInferCharset && m_breaks.empty()) {
        if (nLength > 0) sink.AppendKeyedRuns(Text(), m_stretches);
        return FinishEmit(formatEnd);
    }
    size_t iStretch = 0;
    size_t iBreak = 0;
    size_t nPos = 0;
    size_t nLineStart = 0;  // of the text not yet handed on
    m_runs.clear();
    for (;;) {
        const bool bBreakHere = iBreak < m_breaks.size() && m_breaks[iBreak].nPos == nPos;
        if ((bBreakHere || nPos >= nLength) && !m_runs.empty()) {
            sink.AppendKeyedRuns(Text().substr(nLineStart, nPos - nLineStart), m_runs);
            m_runs.clear();
            nLineStart = nPos;
        }
        while (iBreak < m_breaks.size() && m_breaks[iBreak].nPos == nPos) {
            sink.EndKeyedParagraph(NeutralFormat(m_breaks[iBreak].format));
            ++iBreak;
        }
        if (nPos >= nLength) break;
        while (iStretch + 1 < m_stretches.size() && m_stretches[iStretch + 1].nStart <= nPos) ++iStretch;
        size_t nEnd = iStretch + 1 < m_stretches.size() ? m_stretches[iStretch + 1].nStart : nLength;
        if (iBreak < m_breaks.size()) nEnd = std::min(nEnd, m_breaks[iBreak].nPos);
        CollectRuns(nLineStart, nPos, nEnd, m_stretches[iStretch].format);
        nPos = nEnd;
    }
    return FinishEmit(formatEnd);
}

KeyedCharFormat CRtfParagraph::FinishEmit(const KeyedCharFormat& formatEnd) {
    const KeyedCharFormat resolvedEnd = NeutralFormat(SinkFormat(formatEnd));
    // The format in effect goes on into the next paragraph.
    const KeyedCharFormat goingOn = m_stretches.empty() ? KeyedCharFormat{} : m_stretches.back().format;
    m_nLength = 0;
    m_stretches.assign(1, {0, goingOn});
    m_breaks.clear();
    return resolvedEnd;
}

void CRtfParagraph::CollectRuns(size_t nBase, size_t nStart, size_t nEnd, const KeyedCharFormat& format) {
    if (m_bInferCharset) {
        CollectInferredRuns(nBase, nStart, nEnd, format);
    } else {
        m_runs.push_back({nStart - nBase, format});
    }
}

void CRtfParagraph::CollectInferredRuns(size_t nBase, size_t nStart, size_t nEnd, const KeyedCharFormat& format) {
    const uint8_t bFontSet = format.cf.bCharSet;
    const bool bRtl = m_bRtl;
    auto charsetOf = [bFontSet, bRtl](char32_t ch) { return InferredCharSet(ch, bRtl, bFontSet); };
    const std::u32string_view text = Text();
    size_t nRunStart = nStart;
    uint8_t bRunSet = charsetOf(text[nStart]);
    for (size_t i = nStart + 1; i < nEnd; ++i) {
        const uint8_t bSet = charsetOf(text[i]);
        if (bSet == bRunSet) continue;
        m_runs.push_back({nRunStart - nBase, WithCharSet(format, bRunSet)});
        nRunStart = i;
        bRunSet = bSet;
    }
    m_runs.push_back({nRunStart - nBase, WithCharSet(format, bRunSet)});
}

}  // namespace velmora
