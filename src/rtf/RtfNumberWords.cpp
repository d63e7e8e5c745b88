#include "RtfNumberWords.h"

#include <array>
#include <string_view>
#include <utility>

namespace velmora {

namespace {

constexpr int32_t kMaxSpelled = 99999;

constexpr std::array<std::string_view, 20> kUnits = {
    "",    "one",    "two",    "three",    "four",     "five",    "six",     "seven",     "eight",    "nine",
    "ten", "eleven", "twelve", "thirteen", "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
constexpr std::array<std::string_view, 10> kTens = {"",      "",      "twenty",  "thirty", "forty",
                                                    "fifty", "sixty", "seventy", "eighty", "ninety"};

// 1..999: "one hundred twenty-three".
std::string BelowThousand(int32_t nValue) {
    std::string text;
    if (nValue >= 100) {
        text = std::string(kUnits[static_cast<size_t>(nValue / 100)]) + " hundred";
        nValue %= 100;
        if (nValue > 0) text += ' ';
    }
    if (nValue >= 20) {
        text += kTens[static_cast<size_t>(nValue / 10)];
        if (nValue % 10 > 0) text += "-" + std::string(kUnits[static_cast<size_t>(nValue % 10)]);
    } else {
        text += kUnits[static_cast<size_t>(nValue)];
    }
    return text;
}

// "one thousand and one", "one thousand two hundred thirty-four".
std::string Words(int32_t nValue) {
    if (nValue < 1000) return BelowThousand(nValue);
    std::string text = BelowThousand(nValue / 1000) + " thousand";
    const int32_t nRest = nValue % 1000;
    if (nRest > 0) text += (nRest < 100 ? " and " : " ") + BelowThousand(nRest);
    return text;
}

// The last word turned into its ordinal: one -> first, twenty -> twentieth, six -> sixth.
std::string Ordinal(std::string text) {
    static constexpr std::pair<std::string_view, std::string_view> kIrregular[] = {
        {"one", "first"},    {"two", "second"}, {"three", "third"},   {"five", "fifth"},
        {"eight", "eighth"}, {"nine", "ninth"}, {"twelve", "twelfth"}};
    for (const auto& [cardinal, ordinal] : kIrregular) {
        if (text.ends_with(cardinal)) return text.substr(0, text.size() - cardinal.size()) + std::string(ordinal);
    }
    if (text.ends_with('y')) return text.substr(0, text.size() - 1) + "ieth";
    return text + "th";
}

std::u32string Capitalised(const std::string& text) {
    std::u32string result(text.begin(), text.end());
    if (!result.empty()) result[0] = result[0] - U'a' + U'A';
    return result;
}

}  // namespace

std::optional<std::u32string> CardinalWords(int32_t nValue) {
    if (nValue < 1 || nValue > kMaxSpelled) return std::nullopt;
    return Capitalised(Words(nValue));
}

std::optional<std::u32string> OrdinalWords(int32_t nValue) {
    if (nValue < 1 || nValue > kMaxSpelled) return std::nullopt;
    return Capitalised(Ordinal(Words(nValue)));
}

}  // namespace velmora
