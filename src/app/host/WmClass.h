#pragma once
// The WM_CLASS property of an X11 window: the instance name and the class name.

#include <string>
#include <string_view>

namespace velmora {

struct WmClass {
    std::string strInstance;
    std::string strClass;
};

// Reads the property's bytes: two NUL-terminated strings, instance then class. A missing
// terminator ends the string at the end of the bytes; missing strings are empty.
WmClass ParseWmClass(std::string_view bytes);

// True when the instance or the class is exactly szName (letter case included). An empty name
// matches nothing: a window without WM_CLASS is nobody's main window.
bool WmClassMatches(const WmClass& wmClass, std::string_view szName);

}  // namespace velmora
