#include "PlatformCheck.h"

int16_t g_nPlatformKind = 0;

namespace velmora {

int16_t PlatformKindFromId(int nPlatformId) {
    if (nPlatformId == VER_PLATFORM_WIN32_WINDOWS) return 1;
    if (nPlatformId == VER_PLATFORM_WIN32_NT) return 2;
    return 0;
}

int ReportedPlatformId() {
#if defined(__linux__) || defined(_WIN32)
    return VER_PLATFORM_WIN32_NT;
#else
    return 0;
#endif
}

}  // namespace velmora
