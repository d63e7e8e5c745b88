#pragma once
// The conversion from logical to visual order: the state a conversion keeps between its pieces,
// the per-piece conversion (runs, visual order, emitter) and the two line walks that cut a
// document into visual lines.

#include "BlankIndex.h"
#include "Cp1255Scan.h"
#include "LineOrder.h"
#include "LineWalk.h"
#include "Progress.h"
#include "TextModel.h"
#include "TextRun.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace velmora {

inline constexpr int32_t kMinLineLength = 1;
inline constexpr int32_t kMaxLineLength = 256;

class CConversionEngine {
public:
    // Alignment code of the last line emitted (-2 before a conversion) and of the block held open
    // across lines (-1 none): 0 left, 1 centre, 2 right.
    int32_t m_nLineAlign = -2;
    int32_t m_nOpenAlign = -1;
    // Characters the whole command converts, and those converted so far.
    int32_t m_nTotalChars = 0;
    int32_t m_nDoneChars = 0;

    void SetProgress(IProgress* pProgress) { m_pProgress = pProgress; }

    // Puts every line in the order pOrder gives and writes its runs as pOrder says; nullptr (the
    // default) keeps the engine's own run rules. pOrder must outlive the conversions it serves.
    void SetLineOrder(ILineOrder* pOrder) { m_pLineOrder = pOrder; }

    // Writes the runs of every visual line between strOpen and strClose (after the line's block
    // opening, before its "<BR>"), for instance an override that keeps the line in visual order
    // in a page that lays text out itself. Both are empty by default.
    // A conversion of Windows-1255 text writes the frame's bytes in that code page; a character
    // the code page lacks is left out there.
    void SetLineFrame(std::u32string strOpen, std::u32string strClose);

    // Receives a line walk's output in order, a stretch at a time as it becomes final, so that
    // the output of a large document is never held whole. With a sink set, the walks hand it
    // everything and return an empty text; without one they return the whole output.
    using OutputSink = std::function<void(std::u32string_view)>;
    void SetOutputSink(OutputSink sink) { m_outputSink = std::move(sink); }
    // The same for a conversion of a Cp1255TextModel, whose output is Windows-1255 bytes.
    using Cp1255OutputSink = std::function<void(std::string_view)>;
    void SetCp1255OutputSink(Cp1255OutputSink sink) { m_cp1255Sink = std::move(sink); }

    // Converts [nStart, nEnd) of doc as one visual line and appends it to strOut: styled HTML when
    // bHtml, else the bare text; both end in "<BR>". Leaves doc's selection on the last run
    // emitted. An empty or inverted range appends nothing and does not touch the progress. A
    // Cp1255TextModel gives the same output as its text decoded would, in Windows-1255 bytes; it
    // keeps the engine's own run rules whatever line order is set.
    template <typename CharT>
    void ConvertRange(BasicTextModel<CharT>& doc, std::basic_string<CharT>& strOut, int32_t nStart, int32_t nEnd,
                      bool bHtml);

    // The Copy to HTML line walk over doc's layout lines: converts doc's selection (the whole
    // text when the selection is empty) cut into pieces of at most nLineLength characters
    // (1..256), stitches the aligned blocks and ends with "</NOBR></DIV>". Resets m_nLineAlign and
    // m_nOpenAlign first; puts doc's selection back at the end. doc must hold text.
    std::u32string CopyToHtml(TextModel& doc, int32_t nLineLength);

    // The Nonstyled text line walk: the same range, the plain cut rules, no stitching.
    // m_nLineAlign and m_nOpenAlign are left to the emitter. Puts doc's selection back.
    std::u32string NonstyledText(TextModel& doc, int32_t nLineLength);

    // Streaming: a document handed over a window of whole paragraphs at a time, converted into
    // exactly the output that CopyToHtml (bHtml) or NonstyledText would give for the whole
    // document with nothing selected. Needs an output sink. BeginStream starts a conversion;
    // ConvertWindow converts window's layout lines from nFirstLine on (the lines before it are
    // context already converted); EndStream ends the output. A stream of Cp1255TextModel windows
    // gives Nonstyled text only (bHtml false), to the Windows-1255 sink.
    void BeginStream(bool bHtml, int32_t nLineLength);
    void ConvertWindow(TextModel& window, int32_t nFirstLine);
    void ConvertWindow(Cp1255TextModel& window, int32_t nFirstLine);
    void EndStream();

    // Splits the run that starts at nPos (nPos < nEnd) into run and returns the position after it.
    template <typename CharT>
    int32_t SplitNextRun(const BasicTextModel<CharT>& doc, int32_t nPos, int32_t nEnd, TextRun& run);

    // Appends the runs in the given visual order (ended by kOrderSentinel) to strOut.
    template <typename CharT>
    void EmitRuns(BasicTextModel<CharT>& doc, const std::vector<TextRun>& runs, const std::vector<int32_t>& order,
                  std::basic_string<CharT>& strOut, bool bHtml);

private:
    // How a walk cuts the next piece out of an editor line.
    struct PieceCut {
        int32_t nStart;     // column where the piece begins (after any blanks the walk skips)
        int32_t nLength;    // characters before the cut (u); 0 makes an empty line
        int32_t nKept;      // characters the piece keeps (m)
        int32_t nNextK;     // column where the next piece begins (K')
        int32_t nLineRest;  // the line goes on while the next piece begins before this column
    };
    // The walk both commands share: lines in layout order, each cut into pieces by cut, empty
    // lines written as empty-line blocks, the pieces in the conversion range handed to convert
    // with their start and end. fnCut(pLine, n, K, nLineEnd) and fnConvert(nStart, nEnd). The
    // walk begins at line nFirstLine.
    template <typename CharT, typename CutPiece, typename ConvertPiece>
    void WalkPieces(BasicTextModel<CharT>& doc, const ConversionRange& range, int32_t nFirstLine,
                    std::basic_string<CharT>& strOut, CutPiece fnCut, ConvertPiece fnConvert);
    // The two walks from line nFirstLine over range, onto strOut (without the final block close).
    void WalkHtmlLines(TextModel& doc, const ConversionRange& range, int32_t nFirstLine, int32_t nLineLength,
                       std::u32string& strOut);
    template <typename CharT>
    void WalkPlainLines(BasicTextModel<CharT>& doc, const ConversionRange& range, int32_t nFirstLine,
                        int32_t nLineLength, std::basic_string<CharT>& strOut);

    // Hands the output that can no longer change to the sink: all of it, or all but the last
    // "</NOBR></DIV>" that the next piece may still take back, once enough has gathered.
    template <typename CharT>
    void FlushFinalOutput(std::basic_string<CharT>& strOut, bool bAll);
    // The line frame, in the characters of a text of each kind.
    template <typename CharT>
    struct LineFrame {
        std::basic_string<CharT> strOpen;
        std::basic_string<CharT> strClose;
    };
    template <typename CharT>
    const LineFrame<CharT>& Frame() const {
        if constexpr (std::is_same_v<CharT, char8_t>)
            return m_frameBytes;
        else
            return m_frame;
    }
    // Sets the counters for a walk over doc's conversion range and reserves room for its output.
    ConversionRange BeginWalk(const TextModel& doc, int32_t nLineLength, bool bHtml, std::u32string& strOut);
    void ReportProgress(int32_t n, bool bHtml);
    // Joins the piece that starts at nPieceStart of strOut to the blocks before it.
    void StitchPiece(std::u32string& strOut, size_t nPieceStart);

    IProgress* m_pProgress = nullptr;
    ILineOrder* m_pLineOrder = nullptr;
    LineFrame<char32_t> m_frame;
    LineFrame<char8_t> m_frameBytes;  // Windows-1255
    OutputSink m_outputSink;
    Cp1255OutputSink m_cp1255Sink;
    // The empty-line alignment, kept from one empty line to the next during a walk.
    int32_t m_nEmptyAlign = 0;
    // A streamed conversion: its mode, line length and the output not yet handed to the sink.
    bool m_bStreamHtml = false;
    int32_t m_nStreamLineLength = kMaxLineLength;
    std::u32string m_streamOut;
    std::u8string m_streamBytes;
    CBlankIndex m_blanks;
    CCp1255StopIndex m_cp1255Stops;  // of the Windows-1255 window being converted
    std::vector<TextRun> m_runs;     // kept between pieces to spare allocations
    std::vector<int32_t> m_order;
};

}  // namespace velmora
