#include "WmClass.h"

namespace velmora {

namespace {

// Takes one NUL-terminated string off the front of bytes.
std::string TakeString(std::string_view& bytes) {
    const size_t nEnd = bytes.find('\0');
    const std::string str(bytes.substr(0, nEnd));
    bytes.remove_prefix(nEnd == std::string_view::npos ? bytes.size() : nEnd + 1);
    return str;
}

}  // namespace

WmClass ParseWmClass(std::string_view bytes) {
    WmClass wmClass;
    wmClass.strInstance = TakeString(bytes);
    wmClass.strClass = TakeString(bytes);
    return wmClass;
}

bool WmClassMatches(const WmClass& wmClass, std::string_view szName) {
    return !szName.empty() && (wmClass.strClass == szName || wmClass.strInstance == szName);
}

}  // namespace velmora
