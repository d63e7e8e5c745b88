#pragma once
// Readable names for parameterised GoogleTest cases, so that a case is listed and reported by what
// it checks instead of as a dump of its bytes: INSTANTIATE_TEST_SUITE_P(..., test::CaseName()).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::test {

// text with every character a test name may not hold turned into '_', at most 60 of them.
inline std::string TestNameOf(std::string_view text) {
    std::string name(text.substr(0, 60));
    for (char& c : name) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) c = '_';
    }
    return name.empty() ? std::string("empty") : name;
}

// A case's name is its own name field when it has one, a file's name without its extension, or
// else its first text followed by its index, since two cases may start with the same text.
struct CaseName {
    template <class Case>
    std::string operator()(const testing::TestParamInfo<Case>& info) const {
        const Case& c = info.param;
        if constexpr (requires { c.pszName; })
            return TestNameOf(c.pszName);
        else if constexpr (requires { c.szName; })
            return TestNameOf(c.szName);
        else if constexpr (requires { c.name; })
            return TestNameOf(c.name);
        else if constexpr (requires { c.stem(); })
            return TestNameOf(c.stem().string());
        else if constexpr (requires { std::string_view(c); })
            return TestNameOf(c);
        else if constexpr (requires { c.markup; })
            return TestNameOf(c.markup) + "_" + std::to_string(info.index);
        else if constexpr (requires { c.before; })
            return TestNameOf(c.before) + "_" + std::to_string(info.index);
        else
            return TestNameOf(c.visual) + "_" + std::to_string(info.index);
    }
};

}  // namespace velmora::test
