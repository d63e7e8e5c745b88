#pragma once
// Character and paragraph formats in the shape the rich-edit control reports them, so that the
// conversion rules (which test mask and effect bits) read the same over any text model.

#include <cstdint>

namespace velmora {

// dwMask bits of CHARFORMAT.
inline constexpr uint32_t CFM_BOLD = 0x00000001;
inline constexpr uint32_t CFM_ITALIC = 0x00000002;
inline constexpr uint32_t CFM_UNDERLINE = 0x00000004;
inline constexpr uint32_t CFM_STRIKEOUT = 0x00000008;
inline constexpr uint32_t CFM_PROTECTED = 0x00000010;
inline constexpr uint32_t CFM_LINK = 0x00000020;
inline constexpr uint32_t CFM_CHARSET = 0x08000000;
inline constexpr uint32_t CFM_OFFSET = 0x10000000;
inline constexpr uint32_t CFM_FACE = 0x20000000;
inline constexpr uint32_t CFM_COLOR = 0x40000000;
inline constexpr uint32_t CFM_SIZE = 0x80000000;
// What a read of a single character reports: every attribute is uniform over one character.
inline constexpr uint32_t CFM_ALL_SINGLE = 0xF800003F;

// dwEffects bits of CHARFORMAT.
inline constexpr uint32_t CFE_BOLD = 0x00000001;
inline constexpr uint32_t CFE_ITALIC = 0x00000002;
inline constexpr uint32_t CFE_UNDERLINE = 0x00000004;
inline constexpr uint32_t CFE_STRIKEOUT = 0x00000008;
inline constexpr uint32_t CFE_AUTOCOLOR = 0x40000000;

inline constexpr uint8_t HEBREW_CHARSET = 177;
inline constexpr uint8_t ANSI_CHARSET = 0;
inline constexpr int32_t kDefaultHeightTwips = 240;  // 12 points

// PARAFORMAT.
inline constexpr uint32_t PFM_ALIGNMENT = 0x00000008;
inline constexpr uint16_t PFA_LEFT = 1;
inline constexpr uint16_t PFA_RIGHT = 2;
inline constexpr uint16_t PFA_CENTER = 3;
inline constexpr uint16_t PFA_JUSTIFY = 4;

struct CharFormat {
    uint32_t dwMask = CFM_ALL_SINGLE;
    uint32_t dwEffects = CFE_AUTOCOLOR;
    int32_t yHeight = kDefaultHeightTwips;
    uint32_t crTextColor = 0;  // 0x00BBGGRR; 0 whenever CFE_AUTOCOLOR is set
    uint8_t bCharSet = HEBREW_CHARSET;

    bool IsBold() const { return (dwEffects & CFE_BOLD) != 0; }
    bool IsItalic() const { return (dwEffects & CFE_ITALIC) != 0; }
    bool IsUnderline() const { return (dwEffects & CFE_UNDERLINE) != 0; }
    bool IsStrikeout() const { return (dwEffects & CFE_STRIKEOUT) != 0; }
    bool IsAutoColor() const { return (dwEffects & CFE_AUTOCOLOR) != 0; }

    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

// A hash of every member, for tables that hold each format once.
inline uint64_t HashCharFormat(const CharFormat& cf) {
    uint64_t h = cf.dwMask;
    h = h * 0x9E3779B97F4A7C15ull ^ cf.dwEffects;
    h = h * 0x9E3779B97F4A7C15ull ^ static_cast<uint32_t>(cf.yHeight);
    h = h * 0x9E3779B97F4A7C15ull ^ cf.crTextColor;
    h = h * 0x9E3779B97F4A7C15ull ^ cf.bCharSet;
    return h;
}

// The format of text typed with the Hebrew keyboard layout: Hebrew set, 12 points, automatic
// colour, no effects. Plain-text input and a new document start with it.
inline CharFormat HebrewTypingFormat() { return CharFormat{}; }

// Builders that keep the invariants (automatic colour reads as 0, effects as bits).
CharFormat MakeCharFormat(bool bBold, bool bItalic, bool bUnderline, bool bStrike, bool bAutoColor, uint32_t crColor,
                          int32_t yHeight, uint8_t bCharSet);

struct ParaFormat {
    uint32_t dwMask = PFM_ALIGNMENT;
    uint16_t wAlignment = PFA_LEFT;
};

}  // namespace velmora
