#pragma once
// How the conversion classes characters. The rules were made for Windows-1255 bytes: every
// character from U+0080 up counts as Hebrew (letters, points, marks, and every other non-ASCII
// character alike), everything below as ASCII.

#include <array>
#include <cstddef>
#include <cstdint>

namespace velmora {

inline constexpr char32_t kRightToLeftMark = U'\u200F';
inline constexpr char32_t kMiddleDot = U'\u00B7';
// The same two in a text of CharT: Unicode, or Windows-1255 bytes (char8_t).
template <typename CharT>
inline constexpr CharT kRightToLeftMarkIn = kRightToLeftMark;
template <>
inline constexpr char8_t kRightToLeftMarkIn<char8_t> = 0xFE;
template <typename CharT>
inline constexpr CharT kMiddleDotIn = kMiddleDot;
template <>
inline constexpr char8_t kMiddleDotIn<char8_t> = 0xB7;

inline constexpr bool IsHebrewClass(char32_t ch) { return ch >= 0x80; }

// Any ASCII character but the blank; "nothing" (0) is not ASCII.
inline constexpr bool IsAsciiClass(char32_t ch) { return ch > 0 && ch < 0x80 && ch != U' '; }

namespace char_class_detail {
// One flag byte for each ASCII character: a table look-up is quicker than a switch in the
// conversion's per-character loops.
inline constexpr uint8_t kBreakPunct = 1;
inline constexpr uint8_t kEdgePunct = 2;
constexpr std::array<uint8_t, 128> MakeAsciiFlags() {
    std::array<uint8_t, 128> flags{};
    for (char c : {',', '.', ':', ';', '(', ')', '[', ']', '{', '}', '"'})
        flags[static_cast<std::size_t>(c)] |= kBreakPunct;
    for (char c : {'$', '(', ')', '+', ',', '-', '.', '/', ':', '=', '[', ']', '{', '}'})
        flags[static_cast<std::size_t>(c)] |= kEdgePunct;
    return flags;
}
inline constexpr std::array<uint8_t, 128> kAsciiFlags = MakeAsciiFlags();
}  // namespace char_class_detail

// The punctuation at which a run may break: , . : ; ( ) [ ] { } and the double quote.
inline constexpr bool IsBreakPunct(char32_t ch) {
    return ch < 128 && (char_class_detail::kAsciiFlags[ch] & char_class_detail::kBreakPunct) != 0;
}

// Latin for run splitting: ASCII that is neither blank nor break punctuation (letters, digits,
// other signs, and control characters such as tab, CR and LF).
inline constexpr bool IsLatinClass(char32_t ch) { return IsAsciiClass(ch) && !IsBreakPunct(ch); }

// The punctuation that stays where the whole-line reversal put it when it stands at either end
// of a Latin word: $ ( ) + , - . / : = [ ] { }
inline constexpr bool IsEdgePunct(char32_t ch) {
    return ch < 128 && (char_class_detail::kAsciiFlags[ch] & char_class_detail::kEdgePunct) != 0;
}

}  // namespace velmora
