#include "HebrewGroup.h"

#include <string_view>

namespace velmora {

int32_t FindHebrewGroup(const std::vector<std::string>& groupNames) {
    int32_t nVariant = -1;
    for (size_t i = 0; i < groupNames.size(); ++i) {
        const std::string_view szName = groupNames[i];
        if (szName == "Hebrew") {
            return static_cast<int32_t>(i);
        }
        if (nVariant < 0 && szName.starts_with("Hebrew (")) {
            nVariant = static_cast<int32_t>(i);
        }
    }
    return nVariant;
}

}  // namespace velmora
