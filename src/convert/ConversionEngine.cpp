#include "ConversionEngine.h"

#include <algorithm>
#include <string>

namespace velmora {

namespace {

// How much output gathers before it goes to the sink: small enough to stay in the cache.
constexpr size_t kFlushChars = 1 << 14;

}  // namespace

void CConversionEngine::ReportProgress(int32_t n, bool bHtml) {
    m_nDoneChars += n;
    if (m_pProgress == nullptr) return;
    // 64 bits: the product overflows 32 bits past about 21 million characters.
    const int64_t nPercent = m_nTotalChars > 0 ? static_cast<int64_t>(m_nDoneChars) * 100 / m_nTotalChars : 0;
    m_pProgress->Step(n, static_cast<int32_t>(nPercent));
    std::u32string status =
        bHtml ? U"Converting text to HTML format  " : U"Converting non-styled text to HTML format  ";
    const std::string digits = std::to_string(nPercent);
    status.append(digits.begin(), digits.end());
    status += U'%';
    m_pProgress->SetStatusText(status);
}

ConversionRange CConversionEngine::BeginWalk(const TextModel& doc, int32_t nLineLength, bool bHtml,
                                             std::u32string& strOut) {
    const ConversionRange range = RangeToConvert(doc);
    strOut.reserve(m_outputSink ? kFlushChars + 4096
                                : EstimateOutputSize(range, doc.GetLineCount(), nLineLength, bHtml));
    m_nDoneChars = 0;
    m_nTotalChars = range.nTo - range.nFrom;
    m_nEmptyAlign = 0;
    return range;
}

void CConversionEngine::BeginStream(bool bHtml, int32_t nLineLength) {
    if (bHtml) {
        m_nLineAlign = -2;
        m_nOpenAlign = -1;
    }
    m_bStreamHtml = bHtml;
    m_nStreamLineLength = std::clamp(nLineLength, kMinLineLength, kMaxLineLength);
    m_streamOut.clear();
    m_streamOut.reserve(kFlushChars + 4096);
    // The length of a streamed document is not known ahead; nothing shows a percentage of it.
    m_nDoneChars = 0;
    m_nTotalChars = 0;
    m_nEmptyAlign = 0;
}

void CConversionEngine::ConvertWindow(TextModel& window, int32_t nFirstLine) {
    m_nDoneChars = 0;  // counted per window, so that no length of document overflows it
    const ConversionRange range{window.LineStart(nFirstLine), window.Length()};
    if (m_bStreamHtml) {
        WalkHtmlLines(window, range, nFirstLine, m_nStreamLineLength, m_streamOut);
    } else {
        WalkPlainLines(window, range, nFirstLine, m_nStreamLineLength, m_streamOut);
    }
}

void CConversionEngine::EndStream() {
    if (m_bStreamHtml) m_streamOut += kBlockClose;
    FlushFinalOutput(m_streamOut, true);
}

void CConversionEngine::FlushFinalOutput(std::u32string& strOut, bool bAll) {
    if (!m_outputSink) return;
    if (bAll) {
        m_outputSink(strOut);
        strOut.clear();
        return;
    }
    if (strOut.size() < kFlushChars) return;
    const size_t nFinal = strOut.size() - kBlockClose.size();
    m_outputSink(std::u32string_view(strOut).substr(0, nFinal));
    strOut.erase(0, nFinal);
}

void CConversionEngine::ConvertRange(TextModel& doc, std::u32string& strOut, int32_t nStart, int32_t nEnd, bool bHtml) {
    const int32_t n = nEnd - nStart;
    if (n <= 0) return;
    ReportProgress(n, bHtml);
    m_runs.clear();
    if (m_pLineOrder != nullptr) {
        m_pLineOrder->OrderLine(doc, nStart, nEnd, m_runs, m_order);
    } else {
        int32_t pos = nStart;
        while (pos < nEnd) {
            TextRun& run = m_runs.emplace_back();
            pos = SplitNextRun(doc, pos, nEnd, run);
        }
        FillVisualOrder(m_runs, m_order);
    }
    EmitRuns(doc, m_runs, m_order, strOut, bHtml);
}

}  // namespace velmora
