#pragma once
// The authoring tool that Velmora sits beside, as recognised from the working directory's name.

#include <cstdint>

namespace velmora {

enum : int32_t {
    HOST_NONE = -1,        // nothing recognised; no program is started
    HOST_DIRECTOR = 0,     // "director.exe"
    HOST_DREAMWEAVER = 1,  // Dreamweaver or UltraDev: "dreamweaver.exe" or "ultradev.exe"
    HOST_FLASH = 2,        // "flash.exe"
};

}  // namespace velmora
