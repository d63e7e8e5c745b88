#include "LineWalk.h"

#include <algorithm>

namespace velmora {

using namespace std::string_view_literals;

ConversionRange RangeToConvert(const TextModel& doc) {
    int32_t nStart = 0;
    int32_t nEnd = 0;
    doc.GetSel(nStart, nEnd);
    if (nStart == nEnd) return {0, doc.GetTextLength()};
    return {nStart, nEnd};
}

size_t EstimateOutputSize(const ConversionRange& range, int32_t nLineCount, int32_t nLineLength, bool bHtml) {
    const auto nChars = static_cast<size_t>(range.nTo - range.nFrom);
    const size_t nPieces = static_cast<size_t>(nLineCount) + nChars / static_cast<size_t>(nLineLength);
    const size_t nEstimate = bHtml ? nChars * 2 + nPieces * 48 : nChars + nPieces * 8;
    return std::max<size_t>(nEstimate + 64, 100000);
}

void AppendEmptyLineBlock(const TextModel& doc, int32_t& nEmptyAlign, std::u32string& strOut) {
    const ParaFormat pf = doc.GetSelParaFormat();
    if (pf.dwMask & PFM_ALIGNMENT) {
        nEmptyAlign = pf.wAlignment == PFA_LEFT ? 0 : pf.wAlignment == PFA_CENTER ? 1 : 2;
    }
    if (nEmptyAlign != 0) {
        strOut += U"<DIV ALIGN="sv;
        strOut += nEmptyAlign == 1 ? U"center"sv : U"right"sv;
        strOut += U'>';
    }
    strOut += U"<BR>"sv;
    if (nEmptyAlign != 0) strOut += U"</DIV>"sv;
}

}  // namespace velmora
