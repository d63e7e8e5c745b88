#pragma once
// The window system the editor runs on. Velmora works beside Windows programs under Wine, and
// those are X11 clients: the host window it looks for, the clipboard it hands the converted text
// over on and the keyboard group it switches to Hebrew are all the X server's. On a Wayland
// desktop it therefore joins them through XWayland instead of becoming a Wayland client, where
// it could see none of them.

namespace velmora {

// Unless the user chose a platform (QT_QPA_PLATFORM, or -platform among the arguments), asks Qt
// for X11 first and Wayland only where no X server answers. Call before the application object.
void PreferX11WindowSystem(int argc, char** argv);

}  // namespace velmora
