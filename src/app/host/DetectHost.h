#pragma once
// Recognises the authoring tool from the name of the directory Velmora was started in.

#include "HostKind.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// The separator of this platform's paths.
inline constexpr char kPathSeparator = '/';

// The last component of a path: everything after the last separator (the whole text when there
// is none). A path ending in a separator, such as the root "/", has an empty last component.
std::string_view LastPathComponent(std::string_view szPath);

// A copy with the ASCII letters A-Z lower-cased and every other byte (UTF-8 sequences included)
// left as it is.
std::string AsciiLowerCopy(std::string_view sz);

// Works out the host kind from the last component of szWorkDir. The component is lower-cased
// and tested for "director", "ultradev", "dreamweaver" and "flash", in that order; the first
// that it contains wins. On a match strProgramPath is szWorkDir in its own letter case, a
// separator and the tool's program name ("director.exe", "ultradev.exe", "dreamweaver.exe",
// "flash.exe"); otherwise it is szWorkDir unchanged.
// Returns HOST_DIRECTOR, HOST_DREAMWEAVER, HOST_FLASH or, with no match, HOST_NONE.
int32_t DetectHost(std::string_view szWorkDir, std::string& strProgramPath);

}  // namespace velmora
