#pragma once
// A stretch of characters that share one format and one writing direction.

#include <cstdint>
#include <vector>

namespace velmora {

struct TextRun {
    int32_t nStart = 0;
    int32_t nLength = 0;
    uint32_t dwMask = 0;
    uint32_t dwEffects = 0;
    int32_t yHeight = 0;
    uint32_t crTextColor = 0;
    bool bHebrew = false;  // written right to left: reversed and ordered from the line's right end
};

// Ends the visual order list.
inline constexpr int32_t kOrderSentinel = 10000;

// Puts runs (in logical order) into visual order: from the line's logical end to its start, each
// maximal group of consecutive non-Hebrew runs keeping its own order. Ends order with the sentinel.
void FillVisualOrder(const std::vector<TextRun>& runs, std::vector<int32_t>& order);

}  // namespace velmora
