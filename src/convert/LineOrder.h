#pragma once
// The order in which a visual line is written, as a seam: the engine's own run rules by default,
// or any rule that cuts a line into runs and lists them from the line's left end to its right.
// The emitter writes whatever order it is given.

#include "TextModel.h"
#include "TextRun.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class ILineOrder {
public:
    virtual ~ILineOrder() = default;

    // Cuts [nStart, nEnd) of doc (nStart < nEnd) into runs of one format and one direction, each
    // a stretch of consecutive characters, and fills order with their indices from the left end
    // of the line to its right, ended by kOrderSentinel. A run whose bHebrew is set is written
    // right to left.
    virtual void OrderLine(const TextModel& doc, int32_t nStart, int32_t nEnd, std::vector<TextRun>& runs,
                           std::vector<int32_t>& order) = 0;

    // Appends text, the characters of run, as they stand on the line from left to right, without
    // the characters that only steer the order (line ends, directional marks and embeddings).
    virtual void AppendRunText(std::u32string& strOut, const TextRun& run, std::u32string_view text) const = 0;

    // True for a run that is a list bullet (a middle dot and a tab), which is not written at all.
    virtual bool IsListBullet(const TextRun& run, std::u32string_view text) const = 0;
};

}  // namespace velmora
