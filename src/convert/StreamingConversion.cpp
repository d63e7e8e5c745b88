#include "StreamingConversion.h"

namespace velmora {

template <typename CharT>
CBasicStreamingConversion<CharT>::CBasicStreamingConversion(CConversionEngine& engine, bool bHtml, int32_t nLineLength,
                                                            int32_t nWrapColumns, int32_t nWindowChars)
    : m_engine(engine), m_nWrapColumns(nWrapColumns), m_nWindowChars(nWindowChars) {
    m_engine.BeginStream(bHtml, nLineLength);
    m_window.Reserve(static_cast<size_t>(nWindowChars) + 4096);
}

template <typename CharT>
void CBasicStreamingConversion<CharT>::EndParagraph(const CharFormat& cfBreak) {
    m_window.BreakParagraph(cfBreak);
    if (m_window.Length() >= m_nWindowChars) ConvertFinishedParagraphs(cfBreak);
}

// Converts every paragraph but the empty one just opened, then starts the next window with
// what the conversion still reads of the text before it: the CR LF that ends the previous
// paragraph (looking back from a right-to-left mark reads it) in a paragraph with the alignment
// of the selection the engine left behind (an empty line reads it), and the selection there.
template <typename CharT>
void CBasicStreamingConversion<CharT>::ConvertFinishedParagraphs(const CharFormat& cfBreak) {
    m_window.LayOut(m_nWrapColumns);
    m_engine.ConvertWindow(m_window, m_nFirstLine);
    m_bConvertedAny = true;
    const uint16_t wSelectionAlignment = m_window.GetSelParaFormat().wAlignment;
    const Paragraph open = m_window.ParagraphAt(m_window.ParagraphCount() - 1);
    m_window.Clear();
    m_window.SetParagraphAlignment(wSelectionAlignment);
    m_window.BreakParagraph(cfBreak);
    m_window.SetParagraphAlignment(open.wAlignment);
    m_window.SetParagraphRtl(open.bRtl);
    m_window.SetSel(0, 0);
    m_nFirstLine = 1;
}

template <typename CharT>
bool CBasicStreamingConversion<CharT>::Finish() {
    if (!m_bConvertedAny && m_window.Length() == 0) return false;
    m_window.LayOut(m_nWrapColumns);
    m_engine.ConvertWindow(m_window, m_nFirstLine);
    m_engine.EndStream();
    return true;
}

template class CBasicStreamingConversion<char32_t>;
template class CBasicStreamingConversion<char8_t>;

}  // namespace velmora
