#pragma once
// List numbers in the East Asian formats of \levelnfc: counting in Chinese characters, kana in
// the aiueo and iroha orders, circled numbers, the heavenly stems and earthly branches, the
// financial numerals, Japanese legal numerals and Korean numerals (native counting too).

#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

// The number in East Asian format nFormat, or nullopt for a format that is not one of them (or a
// number the format cannot show, which then reads in digits).
std::optional<std::u32string> FormatEastAsianNumber(int32_t nValue, int32_t nFormat);

}  // namespace velmora
