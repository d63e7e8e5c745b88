#pragma once

#include <algorithm>
#include <string_view>

namespace velmora {

// Names in RTF (field keywords, font names) match in any case of their ASCII letters, whatever the
// user's locale: Word writes "PAGE", "Page" and "page" alike.
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace velmora
