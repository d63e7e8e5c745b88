// The Copy to HTML line walk: every layout line is cut into pieces of at most the line length,
// blanks at the start of a piece are skipped, a full piece is cut before its last blank, and the
// aligned blocks of neighbouring pieces are stitched into one.

#include "ConversionEngine.h"
#include "LineWalk.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr std::u32string_view kBlockClose = U"</NOBR></DIV>";

bool EndsWithBlockClose(const std::u32string& text) { return text.ends_with(kBlockClose); }

}  // namespace

std::u32string CConversionEngine::CopyToHtml(TextModel& doc, int32_t nLineLength) {
    m_nLineAlign = -2;
    m_nOpenAlign = -1;
    nLineLength = std::clamp(nLineLength, kMinLineLength, kMaxLineLength);
    std::u32string strOut;
    std::u32string strLine;
    strOut.reserve(100000);
    strLine.reserve(100000);

    int32_t nSavedStart = 0;
    int32_t nSavedEnd = 0;
    doc.GetSel(nSavedStart, nSavedEnd);
    const int32_t nLineCount = doc.GetLineCount();
    const ConversionRange range = RangeToConvert(doc);
    m_nDoneChars = 0;
    m_nTotalChars = range.nTo - range.nFrom;

    const char32_t* pText = doc.Text().data();
    int32_t nEmptyAlign = 0;
    int32_t L = 0;
    int32_t P = 0;
    int32_t K = 0;
    while (L < nLineCount) {
        strLine.clear();
        const int32_t n = doc.LineEnd(L) - doc.LineStart(L);
        const char32_t* pLine = pText + P;
        while (K < n && pLine[K] == U' ') ++K;
        const int32_t pos = P + K;
        const int32_t u = std::min(n - K, nLineLength);
        int32_t nNextK = std::min(K + nLineLength, n);
        if (u == 0 && range.nFrom <= P && P < range.nTo) {
            AppendEmptyLineBlock(doc, nEmptyAlign, strOut);
            P += n;
            K = 0;
            ++L;
            continue;
        }
        int32_t m = u;
        if (u == nLineLength) {
            // A full piece ends before its last blank (not its first character), which then
            // begins the next piece and is skipped there.
            for (int32_t s = u - 1; s > 0; --s) {
                if (pLine[K + s] == U' ') {
                    m = s;
                    nNextK = K + s;
                    break;
                }
            }
        }
        if (pos >= range.nTo) break;
        if (pos + m >= range.nFrom) {
            ConvertRange(doc, strLine, std::max(pos, range.nFrom), std::min(pos + m, range.nTo), true);
            if (!strLine.empty()) {
                if (strLine.find(kBlockClose) != std::u32string::npos) {
                    if (!EndsWithBlockClose(strOut) && m_nLineAlign != m_nOpenAlign) strOut += kBlockClose;
                } else if (EndsWithBlockClose(strOut) && m_nLineAlign == m_nOpenAlign) {
                    strOut.resize(strOut.size() - kBlockClose.size());
                }
                strOut += strLine;
                m_nOpenAlign = m_nLineAlign;
            }
        }
        if (nNextK < n) {
            K = nNextK;
        } else {
            P += n;
            K = 0;
            ++L;
        }
    }
    strOut += kBlockClose;
    doc.SetSel(nSavedStart, nSavedEnd);
    return strOut;
}

}  // namespace velmora
