#pragma once
// How the conversion commands learn whether the authoring tool they work for is there: a check
// handed to the view by the application, which keeps the host record.

#include <functional>

namespace velmora {

enum class HostState {
    None,            // no authoring tool was recognised at start-up
    NotDreamweaver,  // Director or Flash
    WindowClosed,    // Dreamweaver or UltraDev, but its window is not open
    Ready,
};

using HostCheck = std::function<HostState()>;

}  // namespace velmora
