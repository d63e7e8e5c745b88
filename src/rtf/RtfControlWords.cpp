#include "RtfControlWords.h"

#include "RtfUnkept.h"

#include <array>
#include <cstring>

namespace velmora {

namespace {

struct WordEntry {
    std::string_view name;
    RtfWord word;
    char32_t ch;
};

constexpr WordEntry kWords[] = {
    {"ansi", RtfWord::Ansi, 0},
    {"mac", RtfWord::Mac, 0},
    {"pc", RtfWord::Pc, 0},
    {"pca", RtfWord::Pca, 0},
    {"ansicpg", RtfWord::AnsiCodePage, 0},
    {"deff", RtfWord::DefaultFont, 0},
    {"fonttbl", RtfWord::FontTable, 0},
    {"colortbl", RtfWord::ColorTable, 0},
    {"f", RtfWord::Font, 0},
    {"fcharset", RtfWord::Charset, 0},
    {"cpg", RtfWord::FontCodePage, 0},
    {"fldinst", RtfWord::FieldInstruction, 0},
    {"fldrslt", RtfWord::FieldResult, 0},
    {"red", RtfWord::Red, 0},
    {"green", RtfWord::Green, 0},
    {"blue", RtfWord::Blue, 0},
    {"plain", RtfWord::Plain, 0},
    {"b", RtfWord::Bold, 0},
    {"i", RtfWord::Italic, 0},
    {"ul", RtfWord::Underline, 0},
    {"uld", RtfWord::Underline, 0},
    {"uldash", RtfWord::Underline, 0},
    {"uldashd", RtfWord::Underline, 0},
    {"uldashdd", RtfWord::Underline, 0},
    {"uldb", RtfWord::Underline, 0},
    {"ulhwave", RtfWord::Underline, 0},
    {"ulldash", RtfWord::Underline, 0},
    {"ulth", RtfWord::Underline, 0},
    {"ulthd", RtfWord::Underline, 0},
    {"ulthdash", RtfWord::Underline, 0},
    {"ulthdashd", RtfWord::Underline, 0},
    {"ulthdashdd", RtfWord::Underline, 0},
    {"ulthldash", RtfWord::Underline, 0},
    {"ululdbwave", RtfWord::Underline, 0},
    {"ulw", RtfWord::Underline, 0},
    {"ulwave", RtfWord::Underline, 0},
    {"ulnone", RtfWord::UnderlineNone, 0},
    {"super", RtfWord::Superscript, 0},
    {"sub", RtfWord::SuperscriptOff, 0},
    {"nosupersub", RtfWord::SuperscriptOff, 0},
    {"strike", RtfWord::Strike, 0},
    {"striked", RtfWord::Strike, 0},
    {"v", RtfWord::Hidden, 0},
    {"cf", RtfWord::Color, 0},
    {"fs", RtfWord::FontSize, 0},
    {"ab", RtfWord::AssocBold, 0},
    {"ai", RtfWord::AssocItalic, 0},
    {"afs", RtfWord::AssocFontSize, 0},
    {"af", RtfWord::AssocFont, 0},
    {"rtlch", RtfWord::RtlChars, 0},
    {"ltrch", RtfWord::LtrChars, 0},
    {"uc", RtfWord::UnicodeSkip, 0},
    {"u", RtfWord::Unicode, 0},
    {"pard", RtfWord::ParagraphDefault, 0},
    {"ql", RtfWord::AlignLeft, 0},
    {"qr", RtfWord::AlignRight, 0},
    {"qc", RtfWord::AlignCenter, 0},
    {"qj", RtfWord::AlignJustify, 0},
    {"qd", RtfWord::AlignJustify, 0},
    {"rtlpar", RtfWord::RtlParagraph, 0},
    {"ltrpar", RtfWord::LtrParagraph, 0},
    {"outlinelevel", RtfWord::OutlineLevel, 0},
    {"par", RtfWord::Paragraph, 0},
    {"sect", RtfWord::Paragraph, 0},
    {"page", RtfWord::PageBreak, 0},
    {"column", RtfWord::ColumnBreak, 0},
    {"row", RtfWord::Paragraph, 0},
    {"nestrow", RtfWord::NestedRow, 0},
    {"nesttableprops", RtfWord::NestedTableProperties, 0},
    {"NeXTGraphic", RtfWord::Attachment, 0},
    {"line", RtfWord::Line, 0},
    {"tab", RtfWord::Character, U'\t'},
    {"cell", RtfWord::Cell, 0},
    {"nestcell", RtfWord::Cell, 0},
    {"emdash", RtfWord::Character, U'\u2014'},
    {"endash", RtfWord::Character, U'\u2013'},
    {"emspace", RtfWord::Character, U'\u2003'},
    {"enspace", RtfWord::Character, U'\u2002'},
    {"qmspace", RtfWord::Character, U'\u2005'},
    {"bullet", RtfWord::Character, U'\u2022'},
    {"lquote", RtfWord::Character, U'\u2018'},
    {"rquote", RtfWord::Character, U'\u2019'},
    {"ldblquote", RtfWord::Character, U'\u201C'},
    {"rdblquote", RtfWord::Character, U'\u201D'},
    {"zwj", RtfWord::Character, U'\u200D'},
    {"zwnj", RtfWord::Character, U'\u200C'},
    {"ltrmark", RtfWord::Character, U'\u200E'},
    {"rtlmark", RtfWord::Character, U'\u200F'},
    {"listtable", RtfWord::ListTable, 0},
    {"listoverridetable", RtfWord::ListOverrideTable, 0},
    {"list", RtfWord::List, 0},
    {"listlevel", RtfWord::ListLevel, 0},
    {"listid", RtfWord::ListId, 0},
    {"levelnfc", RtfWord::LevelNumberFormat, 0},
    {"levelstartat", RtfWord::LevelStartAt, 0},
    {"levelfollow", RtfWord::LevelFollow, 0},
    {"levellegal", RtfWord::LevelLegal, 0},
    {"levelnorestart", RtfWord::LevelNoRestart, 0},
    {"listoverridestartat", RtfWord::OverrideStartAt, 0},
    {"leveltext", RtfWord::LevelText, 0},
    {"levelnumbers", RtfWord::LevelNumbers, 0},
    {"listoverride", RtfWord::ListOverride, 0},
    {"lfolevel", RtfWord::OverrideLevel, 0},
    {"formfield", RtfWord::FormField, 0},
    {"fftype", RtfWord::FormFieldType, 0},
    {"ffres", RtfWord::FormFieldResult, 0},
    {"ffdefres", RtfWord::FormFieldDefault, 0},
    {"ffl", RtfWord::FormFieldEntry, 0},
    {"ls", RtfWord::ListIndex, 0},
    {"ilvl", RtfWord::ListLevelIndex, 0},
    {"listtext", RtfWord::ListText, 0},
    {"pntext", RtfWord::ListText, 0},
    {"pn", RtfWord::OldNumbering, 0},
    {"pnlvlbody", RtfWord::OldNumberingBody, 0},
    {"pnlvlblt", RtfWord::OldNumberingBullet, 0},
    {"pnlvl", RtfWord::OldNumberingOther, 0},
    {"pnlvlcont", RtfWord::OldNumberingOther, 0},
    {"pndec", RtfWord::OldNumberingFormat, 0},
    {"pnucrm", RtfWord::OldNumberingFormat, 1},
    {"pnlcrm", RtfWord::OldNumberingFormat, 2},
    {"pnucltr", RtfWord::OldNumberingFormat, 3},
    {"pnlcltr", RtfWord::OldNumberingFormat, 4},
    {"pnord", RtfWord::OldNumberingFormat, 5},
    // Formats whose numbers depend on the paragraph's language or on words this reader does not
    // spell out: the label its writer rendered stands.
    {"pncard", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pnordt", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pnbidia", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pnbidib", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pnaiu", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pnaiud", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pnaiueo", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pnaiueod", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pniroha", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pnirohad", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pnganada", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pnchosung", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pncnum", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pndbnum", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pndbnumd", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pndbnumk", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pndbnuml", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pndbnumt", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pndecd", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pngbnum", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pngbnumd", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pngbnumk", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pngbnuml", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pnzodiac", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pnzodiacd", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pnzodiacl", RtfWord::OldNumberingFormat, kOldNumberingRenderedOnly},
    {"pnstart", RtfWord::OldNumberingStart, 0},
    {"pntxtb", RtfWord::OldNumberingBefore, 0},
    {"pntxta", RtfWord::OldNumberingAfter, 0},
    {"pnf", RtfWord::OldNumberingFont, 0},
    {"footnote", RtfWord::Footnote, 0},
    {"ftnalt", RtfWord::FootnoteIsEndnote, 0},
    {"chftn", RtfWord::FootnoteMark, 0},
    {"ftnnar", RtfWord::FootnoteNumbering, 0},
    {"ftnnruc", RtfWord::FootnoteNumbering, 1},
    {"ftnnrlc", RtfWord::FootnoteNumbering, 2},
    {"ftnnauc", RtfWord::FootnoteNumbering, 3},
    {"ftnnalc", RtfWord::FootnoteNumbering, 4},
    {"ftnnchi", RtfWord::FootnoteNumbering, 9},
    {"aftnnar", RtfWord::EndnoteNumbering, 0},
    {"aftnnruc", RtfWord::EndnoteNumbering, 1},
    {"aftnnrlc", RtfWord::EndnoteNumbering, 2},
    {"aftnnauc", RtfWord::EndnoteNumbering, 3},
    {"aftnnalc", RtfWord::EndnoteNumbering, 4},
    {"aftnnchi", RtfWord::EndnoteNumbering, 9},
    {"ftnstart", RtfWord::FootnoteStart, 0},
    {"aftnstart", RtfWord::EndnoteStart, 0},
    {"chpgn", RtfWord::PageNumber, 0},
    {"shp", RtfWord::Shape, 0},
    {"shpgrp", RtfWord::Shape, 0},
    {"shpinst", RtfWord::ShapeInstance, 0},
    {"shptxt", RtfWord::ShapeText, 0},
    {"do", RtfWord::DrawingObject, 0},
    {"object", RtfWord::Object, 0},
    {"result", RtfWord::ObjectResult, 0},
    {"dptxbxtext", RtfWord::DrawingText, 0},
    // Destinations whose content is not document text. Starred destinations (\*\...) are
    // skipped without being listed.
    {"stylesheet", RtfWord::StyleSheet, 0},
    {"s", RtfWord::StyleIndex, 0},
    {"sbasedon", RtfWord::StyleBasedOn, 0},
    {"cs", RtfWord::OtherStyle, 0},
    {"ds", RtfWord::OtherStyle, 0},
    {"ts", RtfWord::OtherStyle, 0},
    {"listname", RtfWord::SkipDestination, 0},
    {"nonesttables", RtfWord::SkipDestination, 0},
    {"listpicture", RtfWord::SkipDestination, 0},
    {"revtbl", RtfWord::SkipDestination, 0},
    {"filetbl", RtfWord::SkipDestination, 0},
    {"info", RtfWord::SkipDestination, 0},
    {"pict", RtfWord::SkipDestination, kUnkeptPictures},
    {"nonshppict", RtfWord::SkipDestination, 0},
    {"shprslt", RtfWord::SkipDestination, 0},
    {"datafield", RtfWord::SkipDestination, 0},
    {"header", RtfWord::SkipDestination, kUnkeptHeadersFooters},
    {"headerl", RtfWord::SkipDestination, kUnkeptHeadersFooters},
    {"headerr", RtfWord::SkipDestination, kUnkeptHeadersFooters},
    {"headerf", RtfWord::SkipDestination, kUnkeptHeadersFooters},
    {"footer", RtfWord::SkipDestination, kUnkeptHeadersFooters},
    {"footerl", RtfWord::SkipDestination, kUnkeptHeadersFooters},
    {"footerr", RtfWord::SkipDestination, kUnkeptHeadersFooters},
    {"footerf", RtfWord::SkipDestination, kUnkeptHeadersFooters},
    {"ftnsep", RtfWord::SkipDestination, 0},
    {"ftnsepc", RtfWord::SkipDestination, 0},
    {"ftncn", RtfWord::SkipDestination, 0},
    {"aftnsep", RtfWord::SkipDestination, 0},
    {"aftnsepc", RtfWord::SkipDestination, 0},
    {"aftncn", RtfWord::SkipDestination, 0},
    {"annotation", RtfWord::SkipDestination, kUnkeptComments},
    {"atnid", RtfWord::SkipDestination, 0},
    {"atnauthor", RtfWord::SkipDestination, 0},
    {"atndate", RtfWord::SkipDestination, 0},
    {"atnref", RtfWord::SkipDestination, 0},
    {"atntime", RtfWord::SkipDestination, 0},
    {"xe", RtfWord::SkipDestination, 0},
    {"tc", RtfWord::SkipDestination, 0},
    {"txe", RtfWord::SkipDestination, 0},
    {"template", RtfWord::SkipDestination, 0},
    {"generator", RtfWord::SkipDestination, 0},
    {"latentstyles", RtfWord::SkipDestination, 0},
    {"bkmkstart", RtfWord::SkipDestination, 0},
    {"bkmkend", RtfWord::SkipDestination, 0},
    // What belongs in \info, written outside it by hand-written help sources and some generators:
    // a comment, the document's properties, the line-breaking character lists. Never shown.
    {"comment", RtfWord::SkipDestination, 0},
    {"doccomm", RtfWord::SkipDestination, 0},
    {"title", RtfWord::SkipDestination, 0},
    {"subject", RtfWord::SkipDestination, 0},
    {"author", RtfWord::SkipDestination, 0},
    {"operator", RtfWord::SkipDestination, 0},
    {"manager", RtfWord::SkipDestination, 0},
    {"company", RtfWord::SkipDestination, 0},
    {"category", RtfWord::SkipDestination, 0},
    {"keywords", RtfWord::SkipDestination, 0},
    {"hlinkbase", RtfWord::SkipDestination, 0},
    {"nextfile", RtfWord::SkipDestination, 0},
    {"fchars", RtfWord::SkipDestination, 0},
    {"lchars", RtfWord::SkipDestination, 0},
    // Destinations Word knows, which writers older than Word's \* or careless of it put out without
    // it: their text is never shown. Parts of a font table entry: the font's name goes on after
    // them, and the \cpg of \fontfile is the code page of the file's name, not of the font.
    {"falt", RtfWord::SkipDestination, 0},
    {"panose", RtfWord::SkipDestination, 0},
    {"fname", RtfWord::SkipDestination, 0},
    {"fontemb", RtfWord::SkipDestination, 0},
    {"fontfile", RtfWord::SkipDestination, 0},
    // Comments' ranges, document properties and variables, revision and protection data.
    {"atrfstart", RtfWord::SkipDestination, 0},
    {"atrfend", RtfWord::SkipDestination, 0},
    {"atnparent", RtfWord::SkipDestination, 0},
    {"atnicn", RtfWord::SkipDestination, 0},
    {"buptim", RtfWord::SkipDestination, 0},
    {"userprops", RtfWord::SkipDestination, 0},
    {"propname", RtfWord::SkipDestination, 0},
    {"staticval", RtfWord::SkipDestination, 0},
    {"linkval", RtfWord::SkipDestination, 0},
    {"docvar", RtfWord::SkipDestination, 0},
    {"oldcprops", RtfWord::SkipDestination, 0},
    {"oldpprops", RtfWord::SkipDestination, 0},
    {"oldsprops", RtfWord::SkipDestination, 0},
    {"oldtprops", RtfWord::SkipDestination, 0},
    {"protusertbl", RtfWord::SkipDestination, 0},
    {"protstart", RtfWord::SkipDestination, 0},
    {"protend", RtfWord::SkipDestination, 0},
    {"password", RtfWord::SkipDestination, 0},
    {"passwordhash", RtfWord::SkipDestination, 0},
    {"writereservation", RtfWord::SkipDestination, 0},
    {"writereservhash", RtfWord::SkipDestination, 0},
    {"rsidtbl", RtfWord::SkipDestination, 0},
    // What Word 2003 and later write about the document: themes, XML tags and smart tags, data,
    // defaults, the equation settings and an equation's picture.
    {"themedata", RtfWord::SkipDestination, 0},
    {"colorschememapping", RtfWord::SkipDestination, 0},
    {"datastore", RtfWord::SkipDestination, 0},
    {"xmlnstbl", RtfWord::SkipDestination, 0},
    {"xmlopen", RtfWord::SkipDestination, 0},
    {"xmlclose", RtfWord::SkipDestination, 0},
    {"xmlname", RtfWord::SkipDestination, 0},
    {"xmlattrname", RtfWord::SkipDestination, 0},
    {"xmlattrvalue", RtfWord::SkipDestination, 0},
    {"factoidname", RtfWord::SkipDestination, 0},
    {"wgrffmtfilter", RtfWord::SkipDestination, 0},
    {"defchp", RtfWord::SkipDestination, 0},
    {"defpap", RtfWord::SkipDestination, 0},
    {"lsdlockedexcept", RtfWord::SkipDestination, 0},
    {"liststylename", RtfWord::SkipDestination, 0},
    {"gridtbl", RtfWord::SkipDestination, 0},
    {"hsv", RtfWord::SkipDestination, 0},
    {"mmathPr", RtfWord::SkipDestination, 0},
    {"mmathPict", RtfWord::SkipDestination, 0},
    // Fields, form fields, objects, pictures and shapes: their names, types, data and properties.
    {"fldtype", RtfWord::SkipDestination, 0},
    {"ffname", RtfWord::SkipDestination, 0},
    {"ffdeftext", RtfWord::SkipDestination, 0},
    {"ffformat", RtfWord::SkipDestination, 0},
    {"ffhelptext", RtfWord::SkipDestination, 0},
    {"ffstattext", RtfWord::SkipDestination, 0},
    {"ffentrymcr", RtfWord::SkipDestination, 0},
    {"ffexitmcr", RtfWord::SkipDestination, 0},
    {"objclass", RtfWord::SkipDestination, 0},
    {"objname", RtfWord::SkipDestination, 0},
    {"objtime", RtfWord::SkipDestination, 0},
    {"objalias", RtfWord::SkipDestination, 0},
    {"objsect", RtfWord::SkipDestination, 0},
    {"objdata", RtfWord::SkipDestination, 0},
    {"oleclsid", RtfWord::SkipDestination, 0},
    {"blipuid", RtfWord::SkipDestination, 0},
    {"sn", RtfWord::SkipDestination, 0},
    {"sv", RtfWord::SkipDestination, 0},
    {"svb", RtfWord::SkipDestination, 0},
    // Hyperlinks of Word 97, index ranges, mail merge, HTML kept in RTF and the rest.
    {"hl", RtfWord::SkipDestination, 0},
    {"hlloc", RtfWord::SkipDestination, 0},
    {"hlsrc", RtfWord::SkipDestination, 0},
    {"hlfr", RtfWord::SkipDestination, 0},
    {"rxe", RtfWord::SkipDestination, 0},
    {"pxe", RtfWord::SkipDestination, 0},
    {"mailmerge", RtfWord::SkipDestination, 0},
    {"mmaddfieldname", RtfWord::SkipDestination, 0},
    {"mmconnectstr", RtfWord::SkipDestination, 0},
    {"mmconnectstrdata", RtfWord::SkipDestination, 0},
    {"mmdatasource", RtfWord::SkipDestination, 0},
    {"mmheadersource", RtfWord::SkipDestination, 0},
    {"mmmailsubject", RtfWord::SkipDestination, 0},
    {"mmodso", RtfWord::SkipDestination, 0},
    {"mmodsofilter", RtfWord::SkipDestination, 0},
    {"mmodsofldmpdata", RtfWord::SkipDestination, 0},
    {"mmodsomappedname", RtfWord::SkipDestination, 0},
    {"mmodsoname", RtfWord::SkipDestination, 0},
    {"mmodsorecipdata", RtfWord::SkipDestination, 0},
    {"mmodsosort", RtfWord::SkipDestination, 0},
    {"mmodsosrc", RtfWord::SkipDestination, 0},
    {"mmodsotable", RtfWord::SkipDestination, 0},
    {"mmodsoudl", RtfWord::SkipDestination, 0},
    {"mmodsoudldata", RtfWord::SkipDestination, 0},
    {"mmodsouniquetag", RtfWord::SkipDestination, 0},
    {"htmltag", RtfWord::SkipDestination, 0},
    {"mhtmltag", RtfWord::SkipDestination, 0},
    {"pnseclvl", RtfWord::SkipDestination, 0},
    {"pgp", RtfWord::SkipDestination, 0},
    {"pgptbl", RtfWord::SkipDestination, 0},
    {"private", RtfWord::SkipDestination, 0},
    {"keycode", RtfWord::SkipDestination, 0},
    {"windowcaption", RtfWord::SkipDestination, 0},
    {"ebcstart", RtfWord::SkipDestination, 0},
    {"ebcend", RtfWord::SkipDestination, 0},
    {"xform", RtfWord::SkipDestination, 0},
    {"file", RtfWord::SkipDestination, 0},
    // Rare words last: the words before keep the first slots of their hash.
    {"upr", RtfWord::UnicodePair, 0},
    {"ud", RtfWord::UnicodePart, 0},
};

// Open addressing over a power-of-two table, more than four times the words.
constexpr size_t kSlots = 2048;
static_assert(std::size(kWords) * 4 < kSlots);

constexpr uint32_t HashName(std::string_view name) {
    uint32_t h = 2166136261u;
    for (char c : name) h = (h ^ static_cast<uint8_t>(c)) * 16777619u;
    return h;
}

// Names are a few letters: a plain loop beats a call to memcmp.
constexpr bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

// A name of up to eight letters packed into one number, its first letter lowest; 0 for a longer
// (or empty) name. Comparing two packed names is one comparison.
constexpr uint64_t PackName(std::string_view name) {
    if (name.size() > 8) return 0;
    uint64_t key = 0;
    for (size_t i = 0; i < name.size(); ++i) key |= static_cast<uint64_t>(static_cast<uint8_t>(name[i])) << (8 * i);
    return key;
}

// Built while compiling: a lookup needs no guard for a table built on first use.
class CWordTable {
public:
    constexpr CWordTable() {
        for (const WordEntry& entry : kWords) {
            size_t i = HashName(entry.name) & (kSlots - 1);
            while (m_slots[i] != nullptr) i = (i + 1) & (kSlots - 1);
            m_slots[i] = &entry;
            if (const uint64_t key = PackName(entry.name)) {
                size_t j = rtf_detail::PackedWordSlot(key);
                while (m_packed[j].key != 0) j = (j + 1) & (rtf_detail::kPackedWordSlots - 1);
                m_packed[j] = {key, {entry.word, entry.ch}};
            }
        }
    }

    // A name of more than eight letters.
    constexpr RtfWordInfo FindLong(std::string_view name) const {
        size_t i = HashName(name) & (kSlots - 1);
        while (const WordEntry* pEntry = m_slots[i]) {
            if (SameName(pEntry->name, name)) return {pEntry->word, pEntry->ch};
            i = (i + 1) & (kSlots - 1);
        }
        return {};
    }

    constexpr const std::array<rtf_detail::PackedRtfWord, rtf_detail::kPackedWordSlots>& Packed() const {
        return m_packed;
    }

private:
    std::array<const WordEntry*, kSlots> m_slots{};
    std::array<rtf_detail::PackedRtfWord, rtf_detail::kPackedWordSlots> m_packed{};
};

constexpr CWordTable kWordTable;

}  // namespace

constexpr std::array<rtf_detail::PackedRtfWord, rtf_detail::kPackedWordSlots> rtf_detail::kPackedWords =
    kWordTable.Packed();

RtfWordInfo LookUpRtfWord(std::string_view name) {
    if (const uint64_t nPacked = PackName(name)) return LookUpRtfWord(name, nPacked);
    // Names longer than any known word cannot match; they need no hashing.
    if (name.size() > 20) return {};
    return kWordTable.FindLong(name);
}

}  // namespace velmora
