#include "KeyboardLayout.h"

#include "host/HebrewGroup.h"
#include "host/XkbGroups.h"

#include <string>
#include <vector>

void ActivateHebrewKeyboardLayout() {
    std::vector<std::string> groupNames;
    if (!velmora::ReadXkbGroupNames(groupNames)) {
        return;
    }
    const int32_t nGroup = velmora::FindHebrewGroup(groupNames);
    if (nGroup >= 0) {
        velmora::LockXkbGroup(nGroup);
    }
}
