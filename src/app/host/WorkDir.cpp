#include "WorkDir.h"

#include <unistd.h>
#include <cstdlib>
#include <memory>

namespace velmora {

bool ReadCurrentDir(std::string& strDir) {
    strDir.clear();
    // get_current_dir_name() takes PWD only when it is the same directory as "." and otherwise
    // asks the kernel; it allocates as much as the path needs.
    const std::unique_ptr<char, decltype(&std::free)> pDir(get_current_dir_name(), &std::free);
    if (!pDir || pDir.get()[0] != '/') {
        return false;
    }
    strDir = pDir.get();
    return true;
}

}  // namespace velmora
