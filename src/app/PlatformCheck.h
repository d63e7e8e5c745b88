#pragma once
// The platform check of the main window: Velmora runs on the NT family of platforms, which is
// what the systems it is built for report.

#include <cstdint>

namespace velmora {

inline constexpr int VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr int VER_PLATFORM_WIN32_NT = 2;

// The platform kind for a platform id: 1 (Windows 95/98 family), 2 (NT family), else 0.
int16_t PlatformKindFromId(int nPlatformId);

// The platform id of the system the program runs on (NT family on Linux and Windows builds).
int ReportedPlatformId();

}  // namespace velmora

extern int16_t g_nPlatformKind;
