#pragma once
// The line walk that Copy to HTML and Nonstyled text share; each supplies its own cut rule and
// what it does with a piece.

#include "ConversionEngine.h"
#include "LineWalk.h"

#include <algorithm>

namespace velmora {

template <typename CharT, typename CutPiece, typename ConvertPiece>
void CConversionEngine::WalkPieces(BasicTextModel<CharT>& doc, const ConversionRange& range, int32_t nFirstLine,
                                   std::basic_string<CharT>& strOut, CutPiece fnCut, ConvertPiece fnConvert) {
    const CharT* pText = doc.Text().data();
    const int32_t nLineCount = doc.GetLineCount();
    int32_t L = nFirstLine;        // the editor line being cut
    int32_t P = doc.LineStart(L);  // position of its first character
    int32_t K = 0;                 // column where its next piece begins
    while (L < nLineCount) {
        FlushFinalOutput(strOut, false);
        const int32_t n = doc.LineEnd(L) - doc.LineStart(L);
        const PieceCut cut = fnCut(pText + P, n, K, P + n);
        K = cut.nStart;
        const int32_t pos = P + K;
        bool bNextLine = cut.nNextK >= cut.nLineRest;
        if (cut.nLength == 0 && range.nFrom <= P && P < range.nTo) {
            AppendEmptyLineBlock(doc, m_nEmptyAlign, strOut);
            bNextLine = true;
        } else {
            if (pos >= range.nTo) break;
            if (pos + cut.nKept >= range.nFrom) {
                fnConvert(std::max(pos, range.nFrom), std::min(pos + cut.nKept, range.nTo));
            }
        }
        if (bNextLine) {
            P += n;
            K = 0;
            ++L;
        } else {
            K = cut.nNextK;
        }
    }
}

}  // namespace velmora
