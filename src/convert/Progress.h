#pragma once
// The progress display a conversion drives. The editor shows it in its progress window and status
// bar; the converter passes none.

#include <cstdint>
#include <string_view>

namespace velmora {

class IProgress {
public:
    virtual ~IProgress() = default;
    // One converted piece of nCount characters; nPercent of the whole command is done.
    virtual void Step(int32_t nCount, int32_t nPercent) = 0;
    // The status-bar text of the running conversion, e.g. "Converting text to HTML format  37%".
    virtual void SetStatusText(std::u32string_view text) = 0;
};

}  // namespace velmora
