#pragma once
// What the two line walks share: the conversion range, the lines as read, and the empty-line
// block that both write for a line without a piece.

#include "TextModel.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// Closes an aligned block: the end of every block and of every Copy to HTML output.
inline constexpr std::u32string_view kBlockClose = U"</NOBR></DIV>";
inline constexpr std::string_view kBlockCloseAscii = "</NOBR></DIV>";

// Appends ASCII text to a text of CharT (any character type holds ASCII as it is).
template <typename CharT>
void AppendAscii(std::basic_string<CharT>& strOut, std::string_view ascii) {
    const size_t nAt = strOut.size();
    strOut.resize(nAt + ascii.size());
    for (size_t i = 0; i < ascii.size(); ++i) strOut[nAt + i] = static_cast<CharT>(ascii[i]);
}

// The range a command converts: the selection, or the whole text when nothing is selected.
struct ConversionRange {
    int32_t nFrom = 0;
    int32_t nTo = 0;
};
template <typename CharT>
ConversionRange RangeToConvert(const BasicTextModel<CharT>& doc) {
    int32_t nStart = 0;
    int32_t nEnd = 0;
    doc.GetSel(nStart, nEnd);
    if (nStart == nEnd) return {0, doc.GetTextLength()};
    return {nStart, nEnd};
}

// Room for the whole output of a conversion, so that a large document is collected without
// regrowing; pages that are never written cost nothing.
size_t EstimateOutputSize(const ConversionRange& range, int32_t nLineCount, int32_t nLineLength, bool bHtml);

// Writes an empty line: "<BR>", inside a DIV when the paragraph format of the control's current
// selection (or, when it reports none, the previous empty line) is centred or right.
// nEmptyAlign carries the alignment code from one empty line to the next.
template <typename CharT>
void AppendEmptyLineBlock(const BasicTextModel<CharT>& doc, int32_t& nEmptyAlign, std::basic_string<CharT>& strOut) {
    const ParaFormat pf = doc.GetSelParaFormat();
    if (pf.dwMask & PFM_ALIGNMENT) {
        nEmptyAlign = pf.wAlignment == PFA_LEFT ? 0 : pf.wAlignment == PFA_CENTER ? 1 : 2;
    }
    if (nEmptyAlign != 0) {
        AppendAscii(strOut, "<DIV ALIGN=");
        AppendAscii(strOut, nEmptyAlign == 1 ? "center" : "right");
        AppendAscii(strOut, ">");
    }
    AppendAscii(strOut, "<BR>");
    if (nEmptyAlign != 0) AppendAscii(strOut, "</DIV>");
}

}  // namespace velmora
