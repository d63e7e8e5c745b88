#pragma once
// Long test inputs written as a piece said many times.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::test {

inline std::string Repeated(std::string_view piece, size_t nTimes) {
    std::string text;
    text.reserve(piece.size() * nTimes);
    for (size_t i = 0; i < nTimes; ++i) text += piece;
    return text;
}

}  // namespace velmora::test
