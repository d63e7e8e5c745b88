// The Nonstyled text line walk: pieces keep their leading blanks, a full piece followed by a
// separator is kept whole, a full piece is otherwise cut after its last blank, and nothing of a
// line but its ending (the CR LF of a paragraph, or the blank, CR or LF at which the layout
// wrapped it) is ever left out.

#include "ConversionEngine.h"
#include "PieceWalk.h"

#include <algorithm>

namespace velmora {

namespace {

template <typename CharT>
bool IsPieceSeparator(CharT ch) {
    return ch == CharT(' ') || ch == CharT('\t') || ch == CharT('\r');
}

// Length of the characters that end line L: CR LF when it ends a paragraph, else its last
// character when that is LF, CR or a blank, else none.
template <typename CharT>
int32_t LineEndingLength(const BasicTextModel<CharT>& doc, int32_t nLineEnd, size_t& nParagraph) {
    while (nParagraph + 1 < doc.ParagraphCount() && doc.ParagraphEnd(nParagraph) < nLineEnd) ++nParagraph;
    const bool bEndsParagraph = nParagraph + 1 < doc.ParagraphCount() && doc.ParagraphEnd(nParagraph) == nLineEnd;
    if (bEndsParagraph) return 2;
    const CharT last = doc.CharAt(nLineEnd - 1);
    return last == CharT('\n') || last == CharT('\r') || last == CharT(' ') ? 1 : 0;
}

}  // namespace

std::u32string CConversionEngine::NonstyledText(TextModel& doc, int32_t nLineLength) {
    nLineLength = std::clamp(nLineLength, kMinLineLength, kMaxLineLength);
    std::u32string strOut;
    int32_t nSavedStart = 0;
    int32_t nSavedEnd = 0;
    doc.GetSel(nSavedStart, nSavedEnd);
    const ConversionRange range = BeginWalk(doc, nLineLength, false, strOut);
    WalkPlainLines(doc, range, 0, nLineLength, strOut);
    doc.SetSel(nSavedStart, nSavedEnd);
    FlushFinalOutput(strOut, true);
    return strOut;
}

template <typename CharT>
void CConversionEngine::WalkPlainLines(BasicTextModel<CharT>& doc, const ConversionRange& range, int32_t nFirstLine,
                                       int32_t nLineLength, std::basic_string<CharT>& strOut) {
    size_t nParagraph = 0;
    auto cut = [&doc, &nParagraph, nLineLength](const CharT* pLine, int32_t n, int32_t K, int32_t nLineEnd) {
        const int32_t e = LineEndingLength(doc, nLineEnd, nParagraph);
        PieceCut piece{K, std::max(0, std::min(n - K - e, nLineLength)), 0, std::min(K + nLineLength, n), n - e};
        piece.nKept = piece.nLength;
        if (piece.nLength == nLineLength) {
            const int32_t u = piece.nLength;
            if (K + u == n - e || IsPieceSeparator(pLine[K + u])) {
                piece.nNextK = K + u + 1;  // the piece stays whole and the separator is dropped
            } else {
                for (int32_t s = u - 1; s >= 0; --s) {
                    if (pLine[K + s] == CharT(' ')) {
                        piece.nKept = s + 1;  // the blank stays at the end of the piece
                        piece.nNextK = K + piece.nKept;
                        break;
                    }
                }
            }
        }
        return piece;
    };
    // Pieces are only concatenated, so each is converted straight onto the output.
    auto convert = [&](int32_t nStart, int32_t nEnd) { ConvertRange(doc, strOut, nStart, nEnd, false); };
    WalkPieces(doc, range, nFirstLine, strOut, cut, convert);
}

template void CConversionEngine::WalkPlainLines(TextModel&, const ConversionRange&, int32_t, int32_t, std::u32string&);
template void CConversionEngine::WalkPlainLines(Cp1255TextModel&, const ConversionRange&, int32_t, int32_t,
                                                std::u8string&);

}  // namespace velmora
