#include "LineWalk.h"

#include <algorithm>

namespace velmora {

size_t EstimateOutputSize(const ConversionRange& range, int32_t nLineCount, int32_t nLineLength, bool bHtml) {
    const auto nChars = static_cast<size_t>(range.nTo - range.nFrom);
    const size_t nPieces = static_cast<size_t>(nLineCount) + nChars / static_cast<size_t>(nLineLength);
    const size_t nEstimate = bHtml ? nChars * 2 + nPieces * 48 : nChars + nPieces * 8;
    return std::max<size_t>(nEstimate + 64, 100000);
}

}  // namespace velmora
