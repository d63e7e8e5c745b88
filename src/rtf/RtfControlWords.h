#pragma once
// The control words the reader acts on. Every other word is unknown and, as RTF requires, ignored.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmora {

// clang-format off
enum class RtfWord : uint8_t {
    Unknown,
    // Document header.
    Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont,
    // Destinations: the two tables the reader keeps, and every destination whose text is not
    // document text (stylesheet, list tables, info, pictures, objects, field instructions...).
    FontTable, ColorTable, SkipDestination,
    // Font and colour table entries.
    Font, Charset, FontCodePage, Red, Green, Blue,
    // Character format.
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, Hidden, Color, FontSize,
    Superscript, SuperscriptOff,
    AssocBold, AssocItalic, AssocFontSize, AssocFont, RtlChars, LtrChars,
    UnicodeSkip, Unicode,
    // Paragraph format.
    ParagraphDefault, AlignLeft, AlignRight, AlignCenter, AlignJustify, RtlParagraph, LtrParagraph, OutlineLevel,
    // Lists: the tables, a paragraph's list and level, and the label a writer rendered.
    ListTable, ListOverrideTable, List, ListLevel, ListId, LevelNumberFormat, LevelStartAt, LevelFollow,
    LevelLegal, LevelText, LevelNumbers, ListOverride, OverrideLevel, ListIndex, ListLevelIndex, ListText,
    LevelNoRestart, OverrideStartAt,
    // The stylesheet: a paragraph style's number, the style it is based on, a style of another kind.
    StyleSheet, StyleIndex, StyleBasedOn, OtherStyle,
    // Word 6 and 95 numbering (\pn): the destination, its kinds, format (ch holds the \levelnfc it
    // matches), start, the texts around the number and their font.
    OldNumbering, OldNumberingBody, OldNumberingBullet, OldNumberingOther, OldNumberingFormat,
    OldNumberingStart, OldNumberingBefore, OldNumberingAfter, OldNumberingFont,
    // Notes, drawings and embedded objects; how the document numbers its notes (ch holds the format).
    Footnote, FootnoteIsEndnote, FootnoteMark, FootnoteNumbering, EndnoteNumbering, FootnoteStart, EndnoteStart,
    Shape, ShapeInstance, ShapeText, DrawingObject, DrawingText, Object, ObjectResult, FieldInstruction, FieldResult,
    // A form field (\formfield): its kind, chosen and default entry, and an entry of a drop-down.
    FormField, FormFieldType, FormFieldResult, FormFieldDefault, FormFieldEntry,
    // A nested table row's properties (\*\nesttableprops): some writers put the row's text in them.
    NestedTableProperties,
    // A text written twice, for readers that know Unicode and those that do not
    // ({\upr{ANSI}{\*\ud{Unicode}}}): the pair, and its Unicode part.
    UnicodePair, UnicodePart,
    // TextEdit's picture (\NeXTGraphic) in an attachment group: {{\NeXTGraphic name ...}<mark>}.
    Attachment,
    // Breaks and characters.
    Paragraph,  // \par, \sect, \column, \row: a paragraph ends
    PageBreak,  // \page: the same, and the next page begins
    ColumnBreak,  // \column: the same, and the next column begins
    PageNumber,  // \chpgn: the number of the page it stands on
    NestedRow,  // \nestrow: the same, except where it closes the row's properties
    Line,       // \line: a break inside the paragraph
    Cell,       // \cell, \nestcell: a tab, after which the next cell's text begins
    Character,  // a word that stands for one character (\tab, \emdash...)
};
// clang-format on

// The format of a Word 6 numbering (\pnbidia, \pncard...) whose label only its writer renders.
inline constexpr char32_t kOldNumberingRenderedOnly = 0xFFFF;

struct RtfWordInfo {
    RtfWord word = RtfWord::Unknown;
    // The character of an RtfWord::Character word, the format of OldNumberingFormat, what a
    // SkipDestination's text is (RtfUnkept; 0 when nothing a document shows).
    char32_t ch = 0;
};

// Looks a control word's name up (case-sensitive, as RTF is). Unknown names give
// RtfWord::Unknown. Constant time: small hash tables built while compiling.
RtfWordInfo LookUpRtfWord(std::string_view name);
// The same when the name is already packed: up to eight letters in one number, the first in the
// lowest byte (nPacked is 0 for a longer name).
RtfWordInfo LookUpRtfWord(std::string_view name, uint64_t nPacked);

namespace rtf_detail {
// The words of up to eight letters by their packed names, in open addressing from
// PackedWordSlot: the reader looks one up for almost every word it reads, without a call.
struct PackedRtfWord {
    uint64_t key = 0;  // 0: an empty slot
    RtfWordInfo info;
};
inline constexpr size_t kPackedWordSlots = 1024;
constexpr size_t PackedWordSlot(uint64_t key) {
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 54) & (kPackedWordSlots - 1);
}
extern const std::array<PackedRtfWord, kPackedWordSlots> kPackedWords;
}  // namespace rtf_detail

inline RtfWordInfo LookUpRtfWord(std::string_view name, uint64_t nPacked) {
    if (nPacked == 0) return LookUpRtfWord(name);
    for (size_t i = rtf_detail::PackedWordSlot(nPacked); rtf_detail::kPackedWords[i].key != 0;
         i = (i + 1) & (rtf_detail::kPackedWordSlots - 1)) {
        if (rtf_detail::kPackedWords[i].key == nPacked) return rtf_detail::kPackedWords[i].info;
    }
    return {};
}

}  // namespace velmora
