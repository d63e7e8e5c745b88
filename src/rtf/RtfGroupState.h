#pragma once
// What an RTF group saves on '{' and restores on '}': where its text goes and the character and
// paragraph properties in effect.

#include "CharFormat.h"
#include "RtfParagraph.h"

#include <cstdint>

namespace velmora {

enum class RtfDestination : uint8_t {
    Body,        // document text
    FontTable,   // \fonttbl
    ColorTable,  // \colortbl
    Skip,        // everything whose text is not document text
};

inline constexpr int32_t kDefaultHalfPoints = 24;  // \fs24, 12 points

struct RtfGroupState {
    RtfDestination destination = RtfDestination::Body;
    // Character properties. The associated ones (\ab \ai \afs \af) hold -1 until a word sets
    // them; in \rtlch text they take the place of \b \i \fs \f once set.
    bool bBold = false;
    bool bItalic = false;
    bool bUnderline = false;
    bool bStrike = false;
    bool bHidden = false;
    bool bRtlChars = false;
    int8_t nAssocBold = -1;
    int8_t nAssocItalic = -1;
    int32_t nHalfPoints = kDefaultHalfPoints;
    int32_t nAssocHalfPoints = -1;
    int32_t nFont = 0;
    int32_t nAssocFont = -1;
    int32_t nColor = 0;
    int32_t nUnicodeSkip = 1;  // \ucN: fallback characters after each \uN
    // Paragraph properties.
    uint16_t wAlignment = PFA_LEFT;
    RtfDirection direction = RtfDirection::None;

    // \plain: the character properties back to their defaults, nFont to the document's \deff.
    void ResetCharacter(int32_t nDefaultFont) {
        const RtfDestination keepDestination = destination;
        const int32_t keepSkip = nUnicodeSkip;
        const uint16_t keepAlignment = wAlignment;
        const RtfDirection keepDirection = direction;
        *this = RtfGroupState{};
        destination = keepDestination;
        nUnicodeSkip = keepSkip;
        wAlignment = keepAlignment;
        direction = keepDirection;
        nFont = nDefaultFont;
    }
};

}  // namespace velmora
