#include "LineWalk.h"

namespace velmora {

ConversionRange RangeToConvert(const TextModel& doc) {
    int32_t nStart = 0;
    int32_t nEnd = 0;
    doc.GetSel(nStart, nEnd);
    if (nStart == nEnd) return {0, doc.GetTextLength()};
    return {nStart, nEnd};
}

void AppendEmptyLineBlock(const TextModel& doc, int32_t& nEmptyAlign, std::u32string& strOut) {
    const ParaFormat pf = doc.GetSelParaFormat();
    if (pf.dwMask & PFM_ALIGNMENT) {
        nEmptyAlign = pf.wAlignment == PFA_LEFT ? 0 : pf.wAlignment == PFA_CENTER ? 1 : 2;
    }
    if (nEmptyAlign != 0) {
        strOut += U"<DIV ALIGN=";
        strOut += nEmptyAlign == 1 ? U"center" : U"right";
        strOut += U'>';
    }
    strOut += U"<BR>";
    if (nEmptyAlign != 0) strOut += U"</DIV>";
}

}  // namespace velmora
