// The Copy to HTML line walk: every layout line is cut into pieces of at most the line length,
// blanks at the start of a piece are skipped, a full piece is cut before its last blank, and the
// aligned blocks of neighbouring pieces are stitched into one.

#include "ConversionEngine.h"
#include "PieceWalk.h"

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
    const ConversionRange range = BeginWalk(doc, nLineLength, true, strOut);
    WalkHtmlLines(doc, range, 0, nLineLength, strOut);
    strOut += kBlockClose;
    doc.SetSel(nSavedStart, nSavedEnd);
    FlushFinalOutput(strOut, true);
    return strOut;
}

void CConversionEngine::WalkHtmlLines(TextModel& doc, const ConversionRange& range, int32_t nFirstLine,
                                      int32_t nLineLength, std::u32string& strOut) {
    auto cut = [nLineLength](const char32_t* pLine, int32_t n, int32_t K, int32_t) {
        while (K < n && pLine[K] == U' ') ++K;  // blanks never begin a piece
        PieceCut piece{K, std::min(n - K, nLineLength), 0, std::min(K + nLineLength, n), n};
        piece.nKept = piece.nLength;
        if (piece.nLength == nLineLength) {
            // A full piece ends before its last blank (not its first character), which then
            // begins the next piece and is skipped there.
            for (int32_t s = piece.nLength - 1; s > 0; --s) {
                if (pLine[K + s] == U' ') {
                    piece.nKept = s;
                    piece.nNextK = K + s;
                    break;
                }
            }
        }
        return piece;
    };
    auto convert = [&](int32_t nStart, int32_t nEnd) {
        // The piece is converted straight onto the output and stitched there: what stood
        // before it is the output text, what follows is the piece's line text.
        const size_t nBefore = strOut.size();
        ConvertRange(doc, strOut, nStart, nEnd, true);
        if (strOut.size() > nBefore) StitchPiece(strOut, nBefore);
    };
    WalkPieces(doc, range, nFirstLine, strOut, cut, convert);
}

}  // namespace velmora
