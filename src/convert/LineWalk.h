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

// The range a command converts: the selection, or the whole text when nothing is selected.
struct ConversionRange {
    int32_t nFrom = 0;
    int32_t nTo = 0;
};
ConversionRange RangeToConvert(const TextModel& doc);

// Room for the whole output of a conversion, so that a large document is collected without
// regrowing; pages that are never written cost nothing.
size_t EstimateOutputSize(const ConversionRange& range, int32_t nLineCount, int32_t nLineLength, bool bHtml);

// Writes an empty line: "<BR>", inside a DIV when the paragraph format of the control's current
// selection (or, when it reports none, the previous empty line) is centred or right.
// nEmptyAlign carries the alignment code from one empty line to the next.
void AppendEmptyLineBlock(const TextModel& doc, int32_t& nEmptyAlign, std::u32string& strOut);

}  // namespace velmora
