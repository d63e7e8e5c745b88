#pragma once
// Converts a document while it is being read, a window of whole paragraphs at a time, so that
// memory stays bounded by the window and the longest paragraph whatever the document's size.
// The output is exactly that of Copy to HTML or Nonstyled text over the whole document with
// nothing selected.

#include "ConversionEngine.h"
#include "TextModel.h"

#include <cstdint>

namespace velmora {

// CharT char8_t holds a Windows-1255 text and gives its Nonstyled text (bHtml false) to the
// engine's Windows-1255 sink; char32_t any text, to its output sink.
template <typename CharT>
class CBasicStreamingConversion {
public:
    // Characters held before the window's finished paragraphs are converted.
    static constexpr int32_t kWindowChars = 1 << 16;

    // engine needs an output sink. nWrapColumns lays the paragraphs out as TextModel::LayOut.
    CBasicStreamingConversion(CConversionEngine& engine, bool bHtml, int32_t nLineLength, int32_t nWrapColumns,
                              int32_t nWindowChars = kWindowChars);

    // The document as far as it is held: append text to it and set the format of its last
    // paragraph (the one being filled) there, as when building any TextModel.
    BasicTextModel<CharT>& Document() { return m_window; }
    // Ends the paragraph being filled (TextModel::BreakParagraph); once the window is large
    // enough, its finished paragraphs are converted and let go.
    void EndParagraph(const CharFormat& cfBreak);
    // Converts the rest and ends the output. Returns false, having written nothing, when the
    // document holds no text at all.
    bool Finish();

private:
    void ConvertFinishedParagraphs(const CharFormat& cfBreak);

    CConversionEngine& m_engine;
    int32_t m_nWrapColumns;
    int32_t m_nWindowChars;
    BasicTextModel<CharT> m_window;
    // The window's first line to convert: line 0 stands for what came before, once a window
    // has gone.
    int32_t m_nFirstLine = 0;
    bool m_bConvertedAny = false;
};

using CStreamingConversion = CBasicStreamingConversion<char32_t>;
using CCp1255StreamingConversion = CBasicStreamingConversion<char8_t>;

extern template class CBasicStreamingConversion<char32_t>;
extern template class CBasicStreamingConversion<char8_t>;

}  // namespace velmora
