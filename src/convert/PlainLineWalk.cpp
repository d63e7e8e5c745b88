// The Nonstyled text line walk: pieces keep their leading blanks, a full piece followed by a
// separator is kept whole, a full piece is otherwise cut after its last blank, and nothing of a
// line but its ending (the CR LF of a paragraph, or the blank, CR or LF at which the layout
// wrapped it) is ever left out.

#include "ConversionEngine.h"
#include "LineWalk.h"

#include <algorithm>

namespace velmora {

namespace {

bool IsPieceSeparator(char32_t ch) { return ch == U' ' || ch == U'\t' || ch == U'\r'; }

// Length of the characters that end line L: CR LF when it ends a paragraph, else its last
// character when that is LF, CR or a blank, else none.
int32_t LineEndingLength(const TextModel& doc, int32_t nLineEnd, size_t& nParagraph) {
    while (nParagraph + 1 < doc.ParagraphCount() && doc.ParagraphEnd(nParagraph) < nLineEnd) ++nParagraph;
    const bool bEndsParagraph = nParagraph + 1 < doc.ParagraphCount() && doc.ParagraphEnd(nParagraph) == nLineEnd;
    if (bEndsParagraph) return 2;
    const char32_t last = doc.CharAt(nLineEnd - 1);
    return last == U'\n' || last == U'\r' || last == U' ' ? 1 : 0;
}

}  // namespace

std::u32string CConversionEngine::NonstyledText(TextModel& doc, int32_t nLineLength) {
    nLineLength = std::clamp(nLineLength, kMinLineLength, kMaxLineLength);
    std::u32string strOut;
    int32_t nSavedStart = 0;
    int32_t nSavedEnd = 0;
    doc.GetSel(nSavedStart, nSavedEnd);
    const int32_t nLineCount = doc.GetLineCount();
    const ConversionRange range = BeginWalk(doc, nLineLength, false, strOut);

    const char32_t* pText = doc.Text().data();
    size_t nParagraph = 0;
    int32_t nEmptyAlign = 0;
    int32_t L = 0;
    int32_t P = 0;
    int32_t K = 0;
    while (L < nLineCount) {
        FlushFinalOutput(strOut, false);
        const int32_t n = doc.LineEnd(L) - doc.LineStart(L);
        const int32_t e = LineEndingLength(doc, P + n, nParagraph);
        const char32_t* pLine = pText + P;
        const int32_t pos = P + K;
        const int32_t u = std::max(0, std::min(n - K - e, nLineLength));
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
            if (K + u == n - e || IsPieceSeparator(pLine[K + u])) {
                nNextK = K + u + 1;  // the piece stays whole and the separator is dropped
            } else {
                for (int32_t s = u - 1; s >= 0; --s) {
                    if (pLine[K + s] == U' ') {
                        m = s + 1;  // the blank stays at the end of the piece
                        nNextK = K + m;
                        break;
                    }
                }
            }
        }
        if (pos >= range.nTo) break;
        // Pieces are only concatenated, so each is converted straight onto the output.
        if (pos + m >= range.nFrom) ConvertRange(doc, strOut, std::max(pos, range.nFrom), std::min(pos + m, range.nTo), false);
        if (nNextK < n - e) {
            K = nNextK;
        } else {
            P += n;
            K = 0;
            ++L;
        }
    }
    doc.SetSel(nSavedStart, nSavedEnd);
    FlushFinalOutput(strOut, true);
    return strOut;
}

}  // namespace velmora
