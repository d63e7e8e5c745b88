// The Copy to HTML line walk: every layout line is cut into pieces of at most the line length,
// blanks at the start of a piece are skipped, a full piece is cut before its last blank, and the
// aligned blocks of neighbouring pieces are stitched into one.

#include "ConversionEngine.h"
#include "LineWalk.h"

#include <algorithm>

namespace velmora {

using namespace std::string_view_literals;

namespace {


bool EndsWithBlockClose(std::u32string_view text) { return text.ends_with(kBlockClose); }

}  // namespace

void CConversionEngine::StitchPiece(std::u32string& strOut, size_t nPieceStart) {
    const std::u32string_view before = std::u32string_view(strOut).substr(0, nPieceStart);
    const std::u32string_view piece = std::u32string_view(strOut).substr(nPieceStart);
    if (piece.find(kBlockClose) != std::u32string_view::npos) {
        // A piece that writes its own block closes the block before it, unless that is closed.
        if (!EndsWithBlockClose(before) && m_nLineAlign != m_nOpenAlign) strOut.insert(nPieceStart, kBlockClose);
    } else if (EndsWithBlockClose(before) && m_nLineAlign == m_nOpenAlign) {
        // A piece of the open block's alignment continues that block: reopen it.
        strOut.erase(nPieceStart - kBlockClose.size(), kBlockClose.size());
    }
    m_nOpenAlign = m_nLineAlign;
}

std::u32string CConversionEngine::CopyToHtml(TextModel& doc, int32_t nLineLength) {
    m_nLineAlign = -2;
    m_nOpenAlign = -1;
    nLineLength = std::clamp(nLineLength, kMinLineLength, kMaxLineLength);
    std::u32string strOut;
    int32_t nSavedStart = 0;
    int32_t nSavedEnd = 0;
    doc.GetSel(nSavedStart, nSavedEnd);
    const int32_t nLineCount = doc.GetLineCount();
    const ConversionRange range = BeginWalk(doc, nLineLength, true, strOut);

    const char32_t* pText = doc.Text().data();
    int32_t nEmptyAlign = 0;
    int32_t L = 0;
    int32_t P = 0;
    int32_t K = 0;
    while (L < nLineCount) {
        FlushFinalOutput(strOut, false);
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
            // The piece is converted straight onto the output and stitched there: what stood
            // before it is the output text, what follows is the piece's line text.
            const size_t nBefore = strOut.size();
            ConvertRange(doc, strOut, std::max(pos, range.nFrom), std::min(pos + m, range.nTo), true);
            if (strOut.size() > nBefore) StitchPiece(strOut, nBefore);
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
    FlushFinalOutput(strOut, true);
    return strOut;
}

}  // namespace velmora
