#pragma once
// Top-level client windows on the X display: looking one up by its WM_CLASS, and asking for the
// windows of a started program to be maximised. Each call opens its own connection to the display
// named by DISPLAY and closes it again; without a display they find nothing.
//
// "Top-level client window" means a window listed in the window manager's _NET_CLIENT_LIST, or a
// window no more than three levels below the root (a child of the root when no window manager
// runs; a child of a frame, or of a frame's inner container, when one reparents its clients).

#include <cstdint>

namespace velmora {

// True when there is a top-level client window whose WM_CLASS instance or class is exactly
// pszClassName and whose title (_NET_WM_NAME, else WM_NAME) is exactly pszTitle. A null
// pszClassName or pszTitle matches any. Windows that carry this process's id (_NET_WM_PID) are
// never found, so the program never finds itself.
// Returns false when there is no such window or no display.
bool FindTopLevelWindow(const char* pszClassName, const char* pszTitle);

// Asks for every viewable top-level client window whose _NET_WM_PID is nPid to be maximised:
// through the window manager's _NET_WM_STATE when it supports maximising, otherwise (no window
// manager) by giving the window the whole screen.
// Returns how many windows were found (0 when the program has shown none yet, or no display).
int32_t MaximiseWindowsOfProcess(int64_t nPid);

}  // namespace velmora
