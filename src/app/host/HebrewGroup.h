#pragma once
// Choosing the Hebrew one among the keyboard groups (layouts) the X server is configured with.

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// The index of the group named "Hebrew"; failing that, of the first whose name starts with
// "Hebrew (" (a variant such as "Hebrew (phonetic)"). Returns -1 when there is none.
int32_t FindHebrewGroup(const std::vector<std::string>& groupNames);

}  // namespace velmora
