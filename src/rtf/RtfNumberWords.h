#pragma once
// List numbers spelled out in English, as \levelnfc6 (cardinal text: "Twenty-one") and
// \levelnfc7 (ordinal text: "Twenty-first") show them.

#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

// The number in words with a capital first letter, or nullopt outside 1..99999.
std::optional<std::u32string> CardinalWords(int32_t nValue);
std::optional<std::u32string> OrdinalWords(int32_t nValue);

}  // namespace velmora
