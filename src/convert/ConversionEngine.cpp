#include "ConversionEngine.h"

#include "CodePage1255.h"

#include <algorithm>
#include <string>

namespace velmora {

namespace {

// How much output gathers before it goes to the sink: small enough to stay in the cache.
constexpr size_t kFlushChars = 1 << 14;

}  // namespace

void CConversionEngine::SetLineFrame(std::u32string strOpen, std::u32string strClose) {
    auto toBytes = [](std::u32string_view text) {
        std::u8string bytes;
        for (char32_t ch : text) {
            const int byte = EncodeCp1255Char(ch);
            if (byte >= 0) bytes += static_cast<char8_t>(byte);
        }
        return bytes;
    };
    m_frameBytes = {toBytes(strOpen), toBytes(strClose)};
    m_frame = {std::move(strOpen), std::move(strClose)};
}

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
    m_streamBytes.clear();
    if (m_cp1255Sink) {
        m_streamBytes.reserve(kFlushChars + 4096);
    } else {
        m_streamOut.reserve(kFlushChars + 4096);
    }
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

void CConversionEngine::ConvertWindow(Cp1255TextModel& window, int32_t nFirstLine) {
    m_nDoneChars = 0;
    const ConversionRange range{window.LineStart(nFirstLine), window.Length()};
    m_cp1255Stops.Build(window.Text().data(), window.Length(), window.Revision());
    WalkPlainLines(window, range, nFirstLine, m_nStreamLineLength, m_streamBytes);
    m_cp1255Stops.Forget();
}

void CConversionEngine::EndStream() {
    if (m_cp1255Sink) {
        FlushFinalOutput(m_streamBytes, true);
        return;
    }
    if (m_bStreamHtml) m_streamOut += kBlockClose;
    FlushFinalOutput(m_streamOut, true);
}

template <typename CharT>
void CConversionEngine::FlushFinalOutput(std::basic_string<CharT>& strOut, bool bAll) {
    auto deliver = [this](std::basic_string_view<CharT> part) {
        if constexpr (std::is_same_v<CharT, char8_t>) {
            m_cp1255Sink(std::string_view(reinterpret_cast<const char*>(part.data()), part.size()));
        } else {
            m_outputSink(part);
        }
    };
    if constexpr (std::is_same_v<CharT, char8_t>) {
        if (!m_cp1255Sink) return;
    } else {
        if (!m_outputSink) return;
    }
    if (bAll) {
        deliver(strOut);
        strOut.clear();
        return;
    }
    if (strOut.size() < kFlushChars) return;
    const size_t nFinal = strOut.size() - kBlockClose.size();
    deliver(std::basic_string_view<CharT>(strOut).substr(0, nFinal));
    strOut.erase(0, nFinal);
}

template void CConversionEngine::FlushFinalOutput(std::u32string&, bool);
template void CConversionEngine::FlushFinalOutput(std::u8string&, bool);

template <typename CharT>
void CConversionEngine::ConvertRange(BasicTextModel<CharT>& doc, std::basic_string<CharT>& strOut, int32_t nStart,
                                     int32_t nEnd, bool bHtml) {
    const int32_t n = nEnd - nStart;
    if (n <= 0) return;
    ReportProgress(n, bHtml);
    m_runs.clear();
    bool bOrdered = false;
    if constexpr (std::is_same_v<CharT, char32_t>) {
        if (m_pLineOrder != nullptr) {
            m_pLineOrder->OrderLine(doc, nStart, nEnd, m_runs, m_order);
            bOrdered = true;
        }
    }
    if (!bOrdered) {
        int32_t pos = nStart;
        while (pos < nEnd) {
            TextRun& run = m_runs.emplace_back();
            pos = SplitNextRun(doc, pos, nEnd, run);
        }
        FillVisualOrder(m_runs, m_order);
    }
    EmitRuns(doc, m_runs, m_order, strOut, bHtml);
}

template void CConversionEngine::ConvertRange(TextModel&, std::u32string&, int32_t, int32_t, bool);
template void CConversionEngine::ConvertRange(Cp1255TextModel&, std::u8string&, int32_t, int32_t, bool);

}  // namespace velmora
