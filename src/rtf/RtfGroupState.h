#pragma once
// What an RTF group saves on '{' and restores on '}': where its text goes and the character and
// paragraph properties in effect.

#include "CharFormat.h"
#include "IconvCodePages.h"
#include "RtfParagraph.h"

#include <cstdint>

namespace velmora {

enum class RtfDestination : uint8_t {
    Body,               // document text
    FontTable,          // \fonttbl
    ColorTable,         // \colortbl
    Skip,               // everything whose text is not document text
    ListTable,          // \listtable and its lists and levels
    LevelText,          // a level's \leveltext
    LevelNumbers,       // a level's \levelnumbers
    ListOverrideTable,  // \listoverridetable
    ListText,           // \listtext, \pntext: the label a writer rendered
    StyleSheet,         // \stylesheet: read for the lists its paragraph styles number with
    Footnote,           // \footnote: kept out of the text, watched for \ftnalt
    Shape,              // \shp, \do: nothing but their text boxes is text
    Object,             // \object: nothing but its \result is text
    OldNumbering,       // \pn: how a paragraph is numbered
    OldNumberingText,   // \pntxtb, \pntxta: the text before or after its number
    FieldInstruction,   // \fldinst: not text, but read for the character a SYMBOL field shows
    FormField,          // \formfield in an instruction: a form field's kind and chosen entry
    FormFieldEntry,     // \ffl: an entry of a drop-down form field
};

inline constexpr int32_t kDefaultHalfPoints = 24;  // \fs24, 12 points

inline constexpr int32_t kOwnFontAfterRtl = 1;
inline constexpr int32_t kAssocFontAfterRtl = 2;

// The character properties as RTF sets them. The associated ones (\ab \ai \afs \af) hold -1 until
// a word sets them; in \rtlch text they take the place of \b \i \fs \f once set (\af: see
// nFontsAfterRtl).
struct RtfCharacterProps {
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
    // Which fonts were named since the latest \rtlch (kOwnFontAfterRtl, kAssocFontAfterRtl). Word
    // 2007 on writes a right-to-left run as \ltrch\fcs1 \afN \rtlch\fcs0 \fM: the \f after the
    // \rtlch is the run's font, and an \af from before it (the paragraph's, or the other
    // direction's) does not replace it.
    int32_t nFontsAfterRtl = 0;

    friend bool operator==(const RtfCharacterProps&, const RtfCharacterProps&) = default;
};

// The font a run's text is in: right-to-left text takes the associated font (\af), unless only its
// own \f was named after its \rtlch.
inline int32_t RunFont(const RtfCharacterProps& chr) {
    if (!chr.bRtlChars || chr.nAssocFont < 0) return chr.nFont;
    return chr.nFontsAfterRtl == kOwnFontAfterRtl ? chr.nFont : chr.nAssocFont;
}

struct RtfGroupState {
    RtfDestination destination = RtfDestination::Body;
    // In a \upr group, where the text of its Unicode part goes (its other part is skipped); Skip
    // elsewhere.
    RtfDestination unicodePartTo = RtfDestination::Skip;
    RtfCharacterProps chr;
    int32_t nUnicodeSkip = 1;  // \ucN: fallback characters after each \uN
    uint8_t nUnkept = 0;       // RtfUnkept: what the text of this destination is, if it is lost
    // Paragraph properties.
    uint16_t wAlignment = PFA_LEFT;
    RtfDirection direction = RtfDirection::None;
    int32_t nList = 0;                 // \ls: the paragraph's list, 0 none
    int32_t nListLevel = 0;            // \ilvl
    int32_t nStyle = 0;                // \s: the paragraph's style
    bool bListGiven = false;           // \ls was given: the style's list does not apply
    bool bListLevelGiven = false;      // \ilvl was given
    int32_t nOutlineLevel = 0;         // \outlinelevel: 0 the first, as body text
    int32_t nOldNumbering = 0;         // \pn: the paragraph's numbering (CRtfOldNumbering), 0 none
    bool bNumberingTextAfter = false;  // in \pntxta rather than \pntxtb
    // \super: text written in superscript in this group since it began, since \super, or since a
    // group inside it closed, starts at nSuperFrom of paragraph nSuperParagraph. A note that
    // follows such text takes it for its mark.
    bool bSuper = false;
    uint32_t nSuperParagraph = 0;
    size_t nSuperFrom = 0;
    // The character format chr resolves to (with its number), and the code page of its font;
    // valid while nResolvedGeneration is the reader's current generation (0: never resolved). A
    // group starts with its parent's, so most runs resolve nothing.
    uint32_t nResolvedGeneration = 0;
    KeyedCharFormat resolved;
    const char32_t* pUpperHalf = nullptr;
    const CDoubleByteCodePage* pDoubleByte = nullptr;  // instead of pUpperHalf for East Asian pages
    bool bUtf8 = false;                                // instead of both for UTF-8

    // The paragraph is numbered by no list, style or Word 6 numbering.
    void ClearNumbering() {
        nList = 0;
        nListLevel = 0;
        nStyle = 0;
        bListGiven = false;
        bListLevelGiven = false;
        nOldNumbering = 0;
    }
};

}  // namespace velmora
