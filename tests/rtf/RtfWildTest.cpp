// What the reader takes from RTF as other word processors write it: list labels, note marks,
// text boxes, destinations kept out of the text, and East Asian, Mac and DOS code pages. Each case
// gives the whole text, paragraphs joined by '|'.

#include "ModelText.h"
#include "RtfAutoNumbers.h"
#include "RtfFieldInstruction.h"
#include "RtfInstructionReader.h"
#include "RtfListTable.h"
#include "RtfReader.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora::test {
namespace {

std::string ReadText(const std::string& rtf) {
    TextModel model;
    const RtfReadResult result = ReadRtf(rtf, model);
    if (!result.bOk) return "error: " + result.strError;
    model.SetSel(0, -1);
    std::string text = ToUtf8(model.GetSelText());
    for (size_t nPos; (nPos = text.find("\r\n")) != std::string::npos;) text.replace(nPos, 2, "|");
    return text;
}

// One list of two levels (1. and a)), and one of Symbol bullets.
const std::string kLists =
    R"({\rtf1\ansi\deff0{\fonttbl{\f0 Times;}{\f3\fcharset2 Symbol;}}{\*\listtable)"
    R"({\list{\listlevel\levelnfc0\levelstartat1{\leveltext\'02\'00.;}{\levelnumbers\'01;}})"
    R"({\listlevel\levelnfc4\levelstartat1\levelfollow1{\leveltext\'02\'01);}{\levelnumbers\'01;}}\listid7})"
    R"({\list{\listlevel\levelnfc23{\leveltext\'01\'b7;}\f3}\listid8}})"
    R"({\*\listoverridetable{\listoverride\listid7\listoverridecount0\ls1}{\listoverride\listid8\ls2}})";

struct WildCase {
    const char* szName;
    std::string rtf;
    const char* szExpected;
};

const WildCase kCases[] = {
    {"NumbersRestartBelowAndContinueAcrossParagraphs",
     kLists +
         R"(\pard\ls1 A\par\pard\ls1\ilvl1 B\par\pard\ls1\ilvl1 C\par\pard D\par\pard\ls1 E\par\pard\ls1\ilvl1 F})",
     "1.\tA|a) B|b) C|D|2.\tE|a) F"},
    {"TableLabelWinsOverRenderedOne", kLists + R"({\listtext 9.\tab}\pard\ls1 A\par\pard\ls2 B})", "1.\tA|•\tB"},
    {"NamedBulletsReadAsTheBulletOfTheirLevel",
     R"({\rtf1\ansi{\*\listtable{\list{\listlevel\levelnfc23{\leveltext\'01\u9679 ?;}}{\listlevel\levelnfc23)"
     R"({\leveltext\'01-;}}{\listlevel\levelnfc23{\leveltext\'01\u9733 ?;}}{\listlevel\levelnfc23{\leveltext\'01\u8211 ?;}})"
     R"(\listid3}}{\*\listoverridetable{\listoverride\listid3\ls1}}\pard\ls1 A\par\pard\ls1\ilvl1 B\par)"
     R"(\pard\ls1\ilvl2 C\par\pard\ls1\ilvl3 D})",
     "•\tA|◦\tB|▪\tC|•\tD"},
    {"RenderedLabelWithoutList", kLists + R"(\pard{\listtext\f3 \'b7\tab}A\par{\pntext 3)\tab}B})", "•\tA|3)\tB"},
    {"PictureFontNamedInAnotherSetKeepsItsDigits",
     R"({\rtf1\ansi{\fonttbl{\f0 T;}{\f2\fcharset0 Symbol;}{\f3 Wingdings;}}{\*\listtable{\list{\listlevel\levelnfc23)"
     R"({\leveltext\'01\'b7;}\f2}\listid4}}{\*\listoverridetable{\listoverride\listid4\ls1}}\pard\ls1 A\par)"
     R"(\pard{\listtext\f3 \'a7\tab}B\par\pard{\pntext\f2 1.\tab}C})",
     "•\tA|•\tB|1.\tC"},
    {"LabelSurrogatesJoinOrAreLost", kLists + R"(\pard{\listtext\u-10179?\u-8704?\u-10179?\u13?\tab}A\par\pard\ls2 B})",
     "\U0001F600\uFFFD\tA|•\tB"},
    {"LabelsAtTheStartOfTheirCells",
     kLists + R"(\trowd\pard\intbl\ls1 A\cell\pard\intbl B\cell\row\pard\intbl C\cell\pard\intbl\ls2 D\cell\row})",
     "1.\tA\tB\t|C\t•\tD\t"},
    {"OverrideRedefinesALevelAndKeepsTheCount",
     R"({\rtf1\ansi{\*\listtable{\list{\listlevel\levelnfc0{\leveltext\'02\'00.;}{\levelnumbers\'01;}}\listid7}})"
     R"({\*\listoverridetable{\listoverride\listid7\ls1}{\listoverride\listid7\listoverridecount1{\lfolevel)"
     R"(\listoverrideformat{\listlevel\levelnfc1{\leveltext\'02\'00);}{\levelnumbers\'01;}}}\ls2}})"
     R"(\pard\ls2 A\par\pard\ls2 B\par\pard\ls1 C})",
     "I)\tA|II)\tB|3.\tC"},
    {"AutomaticNumberFieldsCountByKindAndOutlineLevel",
     R"({\rtf1\ansi\pard\outlinelevel0{\field{\*\fldinst AUTONUMLGL \\e }{\fldrslt }}A\par)"
     R"(\pard\outlinelevel1{\field{\*\fldinst AUTONUMLGL }}B\par\pard\outlinelevel0{\field{\*\fldinst AUTONUMLGL }}C\par)"
     R"(\pard{\field{\*\fldinst AUTONUM }}D{\field{\*\fldinst AUTONUM \\* ALPHABETIC \\s : }}E)"
     R"({\field{\*\fldinst AUTONUM }{\fldrslt 9.}}F\par\pard\outlinelevel1{\field{\*\fldinst AUTONUMOUT }}G})",
     "1A|1.1.B|2.C|1.DB:E9.F|A.G"},
    {"OverrideOfAnUnknownListKeepsTheTableAndOfAStartRestartsIt",
     R"({\rtf1\ansi{\*\listtable{\list{\listlevel\levelnfc0{\leveltext\'02\'00.;}{\levelnumbers\'01;}}\listid7}})"
     R"({\*\listoverridetable{\listoverride\ls1\listid7\listoverridecount1{\lfolevel\listoverridestartat\levelstartat5}})"
     R"({\listoverride\listid-2\listoverridecount1{\lfolevel\listoverrideformat{\listlevel\levelnfc1)"
     R"({\leveltext\'02\'00.;}{\levelnumbers\'01;}}}\ls2}}\pard\ls1 A\par\pard\ls2 B\par\pard\ls1 C})",
     "5.\tA|B|6.\tC"},
    {"DropDownFormFieldShowsItsChosenEntry",
     R"({\rtf1\ansi A{\field{\*\fldinst FORMDROPDOWN {\*\formfield{\fftype2\ffres1{\*\ffname D}{\*\ffl x}{\*\ffl y}}}})"
     R"({\fldrslt }}B{\field{\*\fldinst FORMDROPDOWN {\*\formfield{\fftype2\ffres25\ffdefres1{\*\ffl p}{\*\ffl q}}}}})"
     R"(C{\field{\*\fldinst FORMDROPDOWN {\formfield{\fftype2\ffres2{\ffl p}{\ffl q}}}}{\fldrslt }}D)"
     R"({\field{\*\fldinst FORMCHECKBOX {\*\formfield{\fftype1\ffres1}}}{\fldrslt }}E)"
     R"({\field{\*\fldinst FORMTEXT {\*\formfield{\fftype0{\*\ffl z}}}}{\fldrslt typed}}F})",
     "AyBqCDEtypedF"},
    {"UnknownListKeepsNoLabel", kLists + R"({\listtext 9.\tab}\pard\ls9 A\par{\listtext 3.\tab}\pard B})", "A|3.\tB"},
    {"LegalLevelsShowEveryNumberInDigits",
     R"({\rtf1\ansi{\*\listtable{\list{\listlevel\levelnfc1\levelfollow2{\leveltext\'03\'00: ;}{\levelnumbers\'01;}})"
     R"({\listlevel\levelnfc22\levelfollow2\levellegal{\leveltext\'04\'00.\'01 ;}{\levelnumbers\'01\'03;}})"
     R"({\listlevel\levelnfc0\levelfollow2\levellegal0{\leveltext\'04\'00.\'02 ;}{\levelnumbers\'01\'03;}}\listid1}})"
     R"({\*\listoverridetable{\listoverride\listid1\ls1}}\pard\ls1 A\par\pard\ls1\ilvl1 B\par\pard\ls1\ilvl2 C})",
     "I: A|1.01 B|I.1 C"},
    {"PlaceholderOfADeeperOrMissingLevelShowsTheItemsOwnCount",
     R"({\rtf1\ansi{\*\listtable{\list{\listlevel\levelnfc0{\leveltext\'02\'05.;}{\levelnumbers\'01;}})"
     R"({\listlevel\levelnfc4{\leveltext\'03\'01\'05);}{\levelnumbers\'01\'02;}}\listid1}})"
     R"({\*\listoverridetable{\listoverride\listid1\ls1}}\pard\ls1 A\par\pard\ls1\ilvl1 B\par\pard\ls1 C})",
     "1.\tA|aa)\tB|2.\tC"},
    {"HeadersFootersNotesCommentsAreNotText",
     R"({\rtf1\ansi{\header H}{\footerl F}{\headerf G}A{\*\atnid x}\chatn{\*\annotation C} B})", "A B"},
    {"FootnoteMarksCountEndnotesApart",
     R"({\rtf1\ansi A{\super\chftn}{\footnote\pard{\super\chftn} n1}B{\super\chftn}{\footnote\ftnalt x})"
     R"(C\chftn{\footnote n2}})",
     "A1BiC2"},
    {"SuperscriptTextBeforeANoteIsShownAgainAsItsMark",
     R"({\rtf1\ansi A{\super *\chftn{\*\footnote\chftn n}}B{\super \chftn{\*\footnote\chftn n}}C)"
     R"({\super x{\i y}\chftn{\*\footnote n}}D{\super p\nosupersub q\chftn{\footnote n}}E{\super o}{\footnote n}F{\super \chftn{\*\footnote\ftnalt n}}})",
     "A**B1Cxy2Dpq3Eo4Fi"},
    {"AMarkIsNotTakenTwice", R"({\rtf1\ansi A{\super b{\*\footnote x}{\*\footnote y}\chftn{\footnote z}}C})", "Abb12C"},
    {"NotesWithoutAMarkAreNumbered",
     R"({\rtf1\ansi A{\footnote one}B{\footnote\ftnalt two}C{\*\footnote three}D\par E{\v{\footnote h}}{\footnote four}})",
     "A1BiC2D|E3"},
    {"NotesNumberedAsTheDocumentSays",
     R"({\rtf1\ansi\ftnnauc\ftnstart26\aftnnchi A\chftn{\footnote x}B\chftn{\footnote x}C{\footnote\ftnalt x})"
     R"(D{\footnote\ftnalt x}E{\footnote\ftnalt x}F{\footnote\ftnalt x}G{\footnote\ftnalt x}})",
     "AZBAAC*D†E‡F§G**"},
    {"OldNumberingWithoutRenderedLabels",
     R"({\rtf1\ansi{\fonttbl{\f0 T;}{\f1\fcharset2 Symbol;}}\pard{\*\pn\pnlvlbody\pnucrm\pnstart3{\pntxtb (}{\pntxta )}})"
     R"(A\par B\par\pard C\par\pard{\pn\pnlvlbody\pnucrm\pnstart1{\pntxta )}}D\par{\pntext 9.\tab}E\par)"
     R"(\pard{\*\pn\pnlvlblt\pnf1{\pntxtb\'b7}}F\par\pard{\*\pn\pnlvl2\pndec}G\par\pard{\*\pn\pnlvlcont}H)"
     R"({\pnseclvl1\pnucrm{\pntxta .}}})",
     "(III)\tA|(IV)\tB|C|V)\tD|VI)\tE|•\tF|G|H"},
    {"OldNumberingInAFormatOnlyItsWriterSpells",
     R"({\rtf1\ansi\ansicpg1255{\fonttbl{\f0\fcharset177 D;}}\pard\rtlpar{\pntext\'e0.\tab}{\*\pn\pnlvlbody\pnbidia)"
     R"({\pntxta .}}\'f8\par{\pntext\'e1.\tab}\'f9\par\pard{\*\pn\pnlvlbody\pncard{\pntxta .}}X\par})",
     "א.\tר|ב.\tש|3.\tX"},
    {"OldNumberingTextInTheNumberingsFont",
     R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0 T;}{\f1\fcharset177 D;}{\f2\fcharset204 C;}}\pard{\*\pn\pnlvlbody\pndec)"
     R"(\pnf1{\pntxtb \'f1\'f2\'e9\'f3 }{\pntxta .}}{\pntext\f1 \'f1\'f2\'e9\'f3 1.\tab}\f1 \'e0\par)"
     R"(\pard\f0{\*\pn\pnlvlbody\pnucltr{\pntxtb {\f2\'c3}\'e9 }}X})",
     "סעיף 1.\tא|Гé B\tX"},
    {"HiddenCellMarkStillEndsItsCell",
     R"({\rtf1\ansi\trowd\pard\intbl {\uldb Open}{\v OPEN_ID\cell}\pard\intbl Opens\cell\row\pard After})",
     "Open\tOpens\t|After"},
    {"ColumnBreakEndsAParagraph", R"({\rtf1\ansi A\column B})", "A|B"},
    {"ObjectShowsItsResult",
     R"({\rtf1\ansi A{\object\objemb{\*\objclass P}{\*\objdata 0105}{\result{\pict 01}R}}B{\object{\objdata 01}}C})",
     "ARBC"},
    {"TextBoxAtItsAnchor",
     R"({\rtf1\ansi A {\shp{\*\shpinst{\sp{\sn t}{\sv 202}}{\shptxt X\par Y}}{\shprslt{\*\do{\dptxbxtext Z}}}} B})",
     "A |X|Y| B"},
    {"OldDrawingTextBox", R"({\rtf1\ansi A{\*\do\dptxbx{\dptxbxtext X\par}}B})", "A|X|B"},
    {"ShiftJisPairsAsHexAndRawBytes", "{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'82a\\'b1 \x93\xfa}", "あ\uFF22\uFF71 日"},
    {"FontCharsetChoosesDoubleBytePage",
     R"({\rtf1\ansi{\fonttbl{\f0 T;}{\f1\fcharset134 S;}{\f2\fcharset129 B;}{\f3\fcharset136 M;}})"
     R"({\f1\'d6\'d0}{\f2\'c7\'d1}{\f3\'a4\'a4}})",
     "中한中"},
    // Plain Shift JIS bytes: a trail that is '\', '{' or '}' belongs to its character (ソ, 表, ボ, マ).
    {"RawTrailBytesThatAreRtfSyntax",
     "{\\rtf1\\ansi\\ansicpg932 \x83\\\x83t \x95\\\x8e\xa6 {\\b \x83{\x83^}C{\\i \x83}}D}", "ソフ 表示 ボタCマD"},
    {"TrailBraceLeavingItsGroupOpenIsNoError", "{\\rtf1\\ansi\\ansicpg932 {\\b x\x83}}", "xマ"},
    {"LoneLeadByteIsAReplacement", R"({\rtf1\ansi\ansicpg936 \'d6\par x})", "\uFFFD|x"},
    // TextEdit's attachment mark (0xAC after {\NeXTGraphic}) neither takes its group's '}' nor the next byte.
    {"AttachmentMarkInADoubleByteFont",
     "{\\rtf1\\ansi\\ansicpg936 {{\\NeXTGraphic a.png \\width640\n}\xac}B{{\\NeXTGraphic b\n}\\'ac}\\'d6\\'d0"
     "\\par{{\\NeXTGraphic c\n}\xac}}",
     "a.png \uFFFDBb\uFFFD中|c\uFFFD"},
    // A lead byte and a trail byte the page gives no character stand for one; a blank is no trail.
    {"UndefinedPairIsOneLostCharacter", "{\\rtf1\\ansi\\ansicpg932 a\\'82\\'41b\\'82 c\x82\\par d}",
     "a\uFFFDb\uFFFD c\uFFFDpar d"},
    {"UserDefinedCharactersArePrivateUse",
     R"({\rtf1\ansi{\fonttbl{\f1\fcharset134 S;}{\f2\fcharset129 B;}{\f3\fcharset136 M;}})"
     R"({\f1\'aa\'a1}{\f2\'fe\'fe}{\f3\'81\'40\'fa\'40}x})",
     "\uE000\uE0BB\uEEB8\uE000x"},
    {"UnicodeSkipsTwoFallbackBytes", R"({\rtf1\ansi\ansicpg932\uc2 \u26085\'93\'fa!})", "日!"},
    {"MacRoman", R"({\rtf1\mac \'8e\'d2\'a5})", "é“•"},
    {"SetNumberNoWindowsFontHasFollowsTheDocument",
     R"({\rtf1\mac\ansicpg10000{\fonttbl{\f4\fcharset256 T;}{\f5\fcharset0 A;}}\f4 \'80\'8e{\f5 \'80}})", "Äé€"},
    {"DosPage", R"({\rtf1\pc \'84\'e1})", "äß"},
    {"DosArabic", R"({\rtf1\ansi\ansicpg864 \'e0\'b0})", "\u0640\u0660"},
    {"ArabicAsmo708", R"({\rtf1\ansi\ansicpg708 \'c7})", "\u0627"},
    {"MacUkrainian", R"({\rtf1\ansi\ansicpg10017 \'80\'b4})", "\u0410\u0456"},
    {"Utf8PageAsHexAndRawBytes",
     "{\\rtf1\\ansi\\ansicpg65001\\uc3{\\fonttbl{\\f0 A;}{\\f1\\fcharset204 C;}}caf\\'c3\\'a9 \\'e4\\'b8\xad\xe6\x96\x87 "
     "\xf0\x9f\x98\x80{\\f1 \\'c0}\\u20013\\'e4\\'b8\\'ad!}",
     "café 中文 \U0001F600\u0410中!"},
    {"Utf8PageWrittenNegative", R"({\rtf1\ansi\ansicpg-535 \'c3\'a9})", "é"},
    {"BrokenUtf8IsOneReplacementEach",
     R"({\rtf1\ansi\ansicpg65001 a\'c3 b\'e4\'b8 c\'a9 d\'ed\'a0\'80 e\'ff f\'c3\par g})",
     "a\uFFFD b\uFFFD c\uFFFD d\uFFFD\uFFFD\uFFFD e\uFFFD f\uFFFD|g"},
    {"BrokenHexTakesTwoCharacters", R"({\rtf1\ansi a\'4 b\'zzc\'q\par d})", "abc|d"},
    {"DoubleByteLabelsCountCharacters",
     R"({\rtf1\ansi\ansicpg950{\*\listtable{\list{\listlevel\levelnfc0{\leveltext\'03\'b2\'c4\'00\'b3\'b9;})"
     R"({\levelnumbers\'02;}}\listid5}}{\*\listoverridetable{\listoverride\listid5\ls1}})"
     R"(\pard\ls1 A\par\pard\ls1 B\par\pard{\listtext\'b2\'c4 9\tab}C\par\pard{\listtext\'a4A\'a1B\tab}D})",
     "第1章\tA|第2章\tB|第 9\tC|乙、\tD"},
    {"FontNamesItsCodePage",
     R"({\rtf1\ansi{\fonttbl{\f0 T;}{\f1\fcharset0\cpg1251 C;}{\f2\cpg1 X;}}{\f1 \'c8\'ec\'ff}{\f2 \'e9}\'e9})",
     "Имяéé"},
    {"FontEntryNumberedByItsAssociatedFontWord",
     R"({\rtf1\ansi{\fonttbl{\f0 T;}{\af1\fcharset177 D;}{\af2\fcharset204 C;}}\'e0{\f1 \'e0}{\f2 \'e0}})", "àאа"},
    {"SymbolFieldShowsItsCharacterWhenItsResultIsEmpty",
     R"({\rtf1\ansi A{\field{\*\fldinst SYMBOL 253 \\f "Wingdings"}{\fldrslt }}B{\field{\*\fldinst {SYMBOL 0x5D0 \\u}})"
     R"({\fldrslt X}}C{\field{\*\fldinst PAGE}{\fldrslt }}D{\field{\*\fldinst SYMBOL 5}{\fldrslt }}E)"
     R"({\v{\field{\*\fldinst SYMBOL 65}{\fldrslt }}}F})",
     "AýBXC1DEF"},
    {"PageNumbersCountTheWritersPageBreaks",
     R"({\rtf1\ansi{\header \chpgn}A\chpgn\page B{\field{\*\fldinst{ PAGE \\* MERGEFORMAT}}{\fldrslt }}\page)"
     R"( C{\field{\*\fldinst PAGE}{\fldrslt 7}}D{\field{\*\fldinst PAGEREF x}{\fldrslt }}})",
     "A1|B2|C7D"},
    {"LowSurrogateIsNotTheFallbackOfItsHighHalf", R"({\rtf1\ansi a\u55357 \u56835  b\u55357?\u56835?c\u56835 d})",
     "a\U0001F603b\U0001F603c\uFFFD"},
    {"HiddenLineBreakIsHidden", R"({\rtf1\ansi a{\v b\line c}d\line e})", "ad|e"},
    {"LoweredEquationShowsItsTextWhenItsResultIsEmpty",
     R"({\rtf1\ansi A{\field{\*\fldinst{ EQ \\s\\do5({\fs16 1})}}{\fldrslt }}B{\field{\*\fldinst EQ \\s\\do2(x)})"
     R"({\fldrslt y}}C{\field{\*\fldinst EQ \\s\\up5(2)}{\fldrslt }}D})",
     "A1ByCD"},
    {"ButtonShowsItsTextInItsFontWhenItsResultIsEmpty",
     R"({\rtf1\ansi{\fonttbl{\f0 T;}{\f1\fcharset177 A;}}A{\field{\*\fldinst{ MACROBUTTON NoMacro }{\rtlch\f1 [\'f9\'ed]})"
     R"(}{\fldrslt }}B{\field{\*\fldinst GOTOBUTTON  x  Go on }}C{\field{\*\fldinst MACROBUTTON M [x]}{\fldrslt y}}D})",
     "A[שם]BGo onCyD"},
    {"PhoneticGuideShowsItsBaseTextWhenItsResultIsEmpty",
     R"({\rtf1\ansi A{\field{\*\fldinst{ EQ \\* jc2 \\* "Font:MS Mincho" \\* hps10 \\o\\ad(\\s\\up 9(}{kanji}{),\u28450?)"
     R"(\u23383?)}}{\fldrslt }}B{\field{\*\fldinst EQ \\o\\ac(\\s\\up 9(x),y)}{\fldrslt z}}C{\field{\*\fldinst EQ \\o\\ac(o,1)})"
     R"({\fldrslt }}D{\field{\*\fldinst EQ \\o(\\s\\up 5(x),y)}{\fldrslt }}E})",
     "A漢字BzCDE"},
    {"ButtonAndEquationTextWrittenAsUnicodeKeepsItsLetters",
     R"({\rtf1\ansi A{\field{\*\fldinst{\uc0 MACROBUTTON NoMacro [\u1050\u1083]}}{\fldrslt }}B{\field{\*\fldinst )"
     R"(MACROBUTTON M [\u1488?\u-10179?\u-8632?\'3f\u55357 \u56835  ]}{\fldrslt }}C{\field{\*\fldinst EQ \\s\\do5(\u1489?)})"
     R"({\fldrslt }}D{\field{\*\fldinst MACROBUTTON M [\u1488?]}{\fldrslt y}}E})",
     "A[Кл]B[א\U0001F648?\U0001F603]CבDyE"},
    {"TextBoxInANumberedParagraphLeavesItItsOneLabel",
     kLists +
         R"(\pard\ls1 A{\shp{\*\shpinst{\shptxt\pard X\par}}} B\par\pard\ls1 C{\shp{\*\shpinst{\shptxt\pard Y}}}\par\pard\ls1 {\shp{\*\shpinst{\shptxt\pard Z}}}D)"
         R"(\par{\pntext 9.\tab}\pard{\shp{\*\shpinst{\shptxt\pard W\par}}}E\par\pard\ls1 F{\shp{\*\shpinst{\shptxt V\par}}}})",
     "1.\tA|X| B|2.\tC|Y||Z|3.\tD|W|9.\tE|4.\tF|V"},
    {"RowTextInNestedRowProperties",
     R"({\rtf1\ansi A\nestcell{\*\nesttableprops\trowd\cellx900\nestrow}{\nonesttables\par}B\cell\row)"
     R"(\intbl\itap2{\*\nesttableprops\trowd\cellx900\itap2 C\par D\nestcell\nestrow}\itap1 E\cell\row})",
     "A\tB\t|C|D\tE\t"},
    // TextEdit puts a nested row's properties before its cells and writes no nesttableprops.
    {"NestedRowPropertiesBeforeItsCells",
     R"({\rtf1\ansi\itap1\trowd\cellx900\cellx1800\pard\intbl\itap1 A\cell\pard\intbl\itap1\itap2\trowd)"
     R"(\cellx900\pard\intbl\itap2 B\nestcell\lastrow\nestrow\pard\intbl\itap1 C\cell\lastrow\row\pard D})",
     "A\tB\t|C\t|D"},
    {"ParagraphStyleHoldsTheList",
     kLists +
         R"({\stylesheet{\ql Normal;}{\s1\ls1\ilvl0 List;}{\s2\sbasedon1\ilvl1 List 2;}{\*\cs3\ls2 Char;}{\cs4\ls2 Old;}})"
         R"(\pard\s1 A\par\pard\s1\ls0 B\par\pard\s2 C\par\pard\s1\ilvl1 D\par\pard\s1 E\par\pard F\par\pard\s4 G)"
         R"(\par\pard\s2\ls1 H})",
     "1.\tA|B|a) C|b) D|2.\tE|F|G|a) H"},
    {"LevelThatDoesNotRestartCountsOn",
     R"({\rtf1\ansi{\*\listtable{\list{\listlevel\levelnfc0{\leveltext\'02\'00.;}{\levelnumbers\'01;}})"
     R"({\listlevel\levelnfc4\levelnorestart1{\leveltext\'02\'01);}{\levelnumbers\'01;}}\listid7}})"
     R"({\*\listoverridetable{\listoverride\listid7\ls1}}\pard\ls1 A\par\pard\ls1\ilvl1 B\par\pard\ls1 C\par)"
     R"(\pard\ls1\ilvl1 D})",
     "1.\tA|a)\tB|2.\tC|b)\tD"},
    {"OverrideThatRestartsALevelRestartsItOnce",
     R"({\rtf1\ansi{\*\listtable{\list{\listlevel\levelnfc0{\leveltext\'02\'00.;}{\levelnumbers\'01;}})"
     R"({\listlevel\levelnfc4{\leveltext\'02\'01);}{\levelnumbers\'01;}}\listid7}}{\*\listoverridetable)"
     R"({\listoverride\listid7\ls1}{\listoverride\listid7\listoverridecount1{\lfolevel\listoverridestartat)"
     R"(\levelstartat5}\ls2}{\listoverride\listid7\listoverridecount2{\lfolevel}{\lfolevel\listoverridestartat}\ls3}})"
     R"(\pard\ls1 A\par\pard\ls1\ilvl1 B\par\pard\ls2 C\par\pard\ls2\ilvl1 D\par\pard\ls1 E\par\pard\ls3\ilvl1 F\par)"
     R"(\pard\ls3\ilvl1 G\par\pard\ls2 H})",
     "1.\tA|a)\tB|5.\tC|a)\tD|6.\tE|a)\tF|b)\tG|7.\tH"},
    {"BreakThatBeginsAnItemLeavesItsLabelToItsText",
     kLists +
         R"(\pard\ls1 A\par\pard\ls1 \page B\par\pard\ls1 C\par{\pntext 9.\tab}\pard{\page D}\par\pard\ls1 E\page F)"
         R"(\par\pard\ls1 \column G})",
     "1.\tA||2.\tB|3.\tC||9.\tD|4.\tE|5.\tF||6.\tG"},
    {"UnicodePartOfAPairIsTheText",
     R"({\rtf1\ansi{\fonttbl{\upr{\f0 T?;}{\*\ud{\f0 T\u1488?;}}}{\f1\fcharset177 H;}}A{\upr{\f1 B\'e0?}{\*\ud{\f1 B\'e0\u1489?}}})"
     R"(C{\*\ud D}E{\field{\*\fldinst{\upr{MACROBUTTON M [?]}{\*\ud{MACROBUTTON M [\u1490?]}}}}{\fldrslt }}F{\upr{G}{\ud H}}})",
     "ABאבCE[ג]FH"},
    {"FieldNumbersInTheirSwitchsFormat",
     R"({\rtf1\ansi\ansicpg1255 A{\field{\*\fldinst PAGE \\* hebrew1}{\fldrslt }}\page\page B{\field{\*\fldinst PAGE \\* roman )"
     R"(\\* MERGEFORMAT}{\fldrslt }}C{\field{\*\fldinst AUTONUM \\* Hebrew2 \\s "\'f9"}{\fldrslt }}D{\field{\*\fldinst )"
     R"(PAGE \\* ArabicAbjad \\* Arabic}{\fldrslt }}E})",
     "Aא||BiiiCאשD3E"},
    {"GeneratorAndLatentStylesAreNotText",
     R"({\rtf1\ansi{\generator W 1;}{\latentstyles\lsdstimax1{\lsdlockedexcept Normal;}}A})", "A"},
    {"CommentAndDocumentPropertiesOutsideInfoAreNotText",
     R"({\rtf1\ansi A{\comment put text here}B{\title T}{\author W}{\doccomm D}{\keywords K}{\fchars !}C})", "ABC"},
    // Older writers leave out the \* that Word puts before these.
    {"DestinationsWrittenWithoutStarAreNotText",
     R"({\rtf1\ansi{\userprops{\propname P}\proptype30{\staticval V}}{\docvar {N}{V}}{\xmlnstbl {\xmlns1 u}})"
     R"({\rsidtbl \rsid1}{\themedata 504b}{\mailmerge{\mmconnectstr C}{\mmodso{\mmodsoname N}}}{\password 1}A)"
     R"({\atrfstart 1}B{\atrfend 1}{\atnparent 0}C{\field{\fldtype x}{\*\fldinst PAGE}{\fldrslt 1}}D)"
     R"({\xmlopen\xmlns1{\factoidname place}}E{\xmlclose}{\hl{\hlloc h}{\hlsrc s}{\hlfr f}}F{\rxe b}{\oldcprops\b o})"
     R"({\protstart 1}G{\protend 1}{\object{\objclass W}{\objname N}{\objdata 01}{\*\result R}}H})",
     "ABC1DEFGRH"},
    {"FontEntryPartsWrittenWithoutStarAreNotItsNameOrCodePage",
     R"({\rtf1\ansi{\fonttbl{\f0 T;}{\f1\fcharset177 Arial{\fontemb{\fontfile\cpg1252 a.ttf}}{\falt David};})"
     R"({\f2\fcharset0{\panose 05050102}Wingdings;}}\pard{\listtext\f2 \'a7\tab}A\par\pard{\f1 \'e0}})",
     "•\tA|א"},
    // OpenOffice.org numbers its overrides from 0. A rendered label in a double-byte font whose lead
    // byte finds no trail must not stand for the list's bullet.
    {"OverrideNumberedZeroIsAList",
     R"({\rtf1\ansi{\fonttbl{\f0 T;}{\f4\fcharset128 OpenSymbol;}}{\*\listtable{\list{\listlevel\levelnfc23)"
     R"({\leveltext\'01\u8226 ?;}}\listid1}}{\*\listoverridetable{\listoverride\listid1\listoverridecount0\ls0}})"
     R"(\pard{\listtext\f4 \'95\tab}\ls0 A\par\pard B})",
     "•\tA|B"},
    {"ListZeroWithoutSuchOverrideKeepsTheRenderedLabel", kLists + R"(\pard{\listtext 3)\tab}\ls0 A})", "3)\tA"},
    // Only a \* that opens its group marks a destination.
    {"StarInsideAGroupBeforeAStyleMarksNothing",
     R"({\rtf1\ansi{\field{\*\fldinst HYPERLINK "h"}{\fldrslt \*\cs10\ul link}} A{\*\cs5 B}})", "link A"},
};

class RtfWildCase : public testing::TestWithParam<WildCase> {};

TEST_P(RtfWildCase, ReadsAsOtherWordProcessorsShowIt) { EXPECT_EQ(ReadText(GetParam().rtf), GetParam().szExpected); }

INSTANTIATE_TEST_SUITE_P(Wild, RtfWildCase, testing::ValuesIn(kCases),
                         [](const auto& paramInfo) { return std::string(paramInfo.param.szName); });

TEST(ListNumbers, Formats) {
    // clang-format off
    const std::tuple<int32_t, int32_t, const char*> cases[] = {
        {14, 0, "14"},    {4, 1, "IV"},      {1994, 2, "mcmxciv"}, {28, 3, "BB"},    {3, 4, "c"},
        {22, 5, "22nd"},  {13, 5, "13th"},   {7, 22, "07"},        {15, 45, "טו"},   {16, 45, "טז"},
        {11, 45, "יא"},   {345, 45, "שמה"},  {23, 47, "אא"},       {22, 47, "ת"},    {5, 255, ""},
        {9, 99, "9"},     {15, 24, "가"},    {14, 25, "ㅎ"},       {28, 46, "ى"},    {30, 46, "أب"},
        {11, 10, "十一"}, {105, 10, "一百零五"}, {10, 34, "壹拾"}, {11, 42, "십일"}, {100, 42, "백"},
        {10, 41, "일영"}, {20, 44, "二零"},  {21, 18, "㉑"},       {51, 18, "51"},   {47, 20, "ア"},
        {25, 13, "ヰ"},   {12, 31, "亥"},    {11, 30, "11"},       {21, 6, "Twenty-one"},
        {1001, 7, "One thousand and first"}, {112, 7, "One hundred twelfth"},    {100000, 6, "100000"},
        {100, 48, "جع"},  {10, 16, "壱零"},  {1234, 16, "壱弐参四"}, {99, 43, "아흔아홉"}, {11, 43, "열하나"},
        {101, 43, "백일"},  {305, 51, "३०५"},  {12, 54, "๑๒"},     {7, 57, "- 7 -"}};
    // clang-format on
    for (const auto& [nValue, nFormat, szExpected] : cases)
        EXPECT_EQ(ToUtf8(FormatListNumber(nValue, nFormat)), szExpected) << nValue << " in " << nFormat;
}

TEST(SymbolField, CharacterOfItsInstruction) {
    const std::pair<const char*, char32_t> cases[] = {{" SYMBOL 65 \\f \"Wingdings\" \\s 10", U'A'},
                                                      {"symbol\t0x5d0 \\u", U'\u05D0'},
                                                      {"SYMBOL 1114111", U'\U0010FFFF'},
                                                      {"SYMBOL 1114112", 0},
                                                      {"SYMBOL 55296", 0},
                                                      {"SYMBOL 31", 0},
                                                      {"SYMBOL x", 0},
                                                      {"SYMBOLS 65", 0},
                                                      {"SYMBOL", 0},
                                                      {"PAGE 65", 0}};
    for (const auto& [szInstruction, chExpected] : cases)
        EXPECT_EQ(SymbolFieldCharacter(szInstruction).value_or(0), chExpected) << szInstruction;
}

TEST(EquationField, LoweredText) {
    // "-": no lowered text.
    const std::pair<const char*, const char*> cases[] = {
        {" EQ \\s\\do5(1)", "1"}, {"eq \\s\\do12(a b)c)", "a b"}, {"EQ \\s\\do(1)", "-"},  {"EQ \\s\\up5(1)", "-"},
        {"EQ \\s\\do5)(", "-"},   {"EQ \\s\\do5(1", "-"},         {"EQS \\s\\do5(1)", "-"}};
    for (const auto& [szInstruction, szExpected] : cases)
        EXPECT_EQ(LoweredEquationText(szInstruction).value_or("-"), szExpected) << szInstruction;
}

TEST(EquationField, RubyBaseText) {
    // "-": no phonetic guide (a bare overstrike, an enclosed character, a text cut short).
    const std::pair<const char*, const char*> cases[] = {
        {" EQ \\* jc2 \\* \"Font:MS Mincho\" \\* hps10 \\o\\ad(\\s\\up 9(kan),base)", "base"},
        {"eq \\o\\ac( \\s\\up 11(a),b c)", "b c"},
        {"EQ \\o(\\s\\up 5(x),y)", "-"},
        {"EQ \\o\\ac(o,1)", "-"},
        {"EQ \\o\\ad(\\s\\up 9(x)y)", "-"},
        {"EQ \\o\\ad(\\s\\up 9(x),y", "-"},
        {"EQ \\o\\ad(\\s\\up 9(x),)", "-"},
        {"EQ \\o\\ad(\\s\\up 9x),y)", "-"},
        {"EQ \\o\\a", "-"},
        {"EQS \\o\\ad(\\s\\up 9(x),y)", "-"}};
    for (const auto& [szInstruction, szExpected] : cases)
        EXPECT_EQ(RubyBaseText(szInstruction).value_or("-"), szExpected) << szInstruction;
}

TEST(AutoNumberField, CountsEachKindAtItsLevel) {
    // One counter set for the whole sequence; a level above the field's never numbered reads 1, as
    // list levels do; "-": not an automatic number (and nothing counted).
    const std::tuple<const char*, int32_t, const char*> cases[] = {{"AUTONUM", 0, "1."},
                                                                   {" autonum \\* roman", 0, "ii."},
                                                                   {"AUTONUM \\s \"-\"", 3, "1-"},
                                                                   {"AUTONUM \\s ) ", 3, "2)"},
                                                                   {"AUTONUM", 0, "3."},
                                                                   {"AUTONUM", 3, "1."},
                                                                   {"AUTONUMLGL", 2, "1.1.1."},
                                                                   {"AUTONUMLGL \\e", 2, "1.1.2"},
                                                                   {"AUTONUMLGL", 0, "1."},
                                                                   {"AUTONUMLGL", 12, "1.1.1.1.1.1.1.1.1."},
                                                                   {"AUTONUMOUT", 4, "(1)"},
                                                                   {"AUTONUMOUT", 6, "(i)"},
                                                                   {"AUTONUMOUT", 0, "I."},
                                                                   {"AUTONUMOUTS", 0, "-"},
                                                                   {"PAGE", 0, "-"},
                                                                   {"AUTONUMOUT", 1, "A."},
                                                                   {"AUTONUM \\* hebrew1", 0, "ד."},
                                                                   {"AUTONUM \\* Hebrew2 \\s :", 0, "ה:"},
                                                                   {"AUTONUMLGL \\* ArabicAlpha", 1, "أ.أ."}};
    CRtfAutoNumbers numbers;
    for (const auto& [szInstruction, nLevel, szExpected] : cases) {
        const auto number = numbers.Next(szInstruction, nLevel);
        EXPECT_EQ(number ? EncodeUtf8(number->text) + number->separator : "-", szExpected)
            << szInstruction << " at " << nLevel;
    }
}

// What an empty field shows, with the \\uN characters at their places (bytes read as Latin-1 here),
// and the font its bytes are in.
std::u32string Shown(const CRtfInstructionReader::Shown& shown) {
    std::u32string text = shown.ch != 0 ? std::u32string(1, shown.ch) : U"";
    for (size_t i = 0; i < shown.text.size(); ++i) {
        const auto it = std::ranges::find(shown.chars, i, &CRtfInstructionReader::Char::nAt);
        text += it != shown.chars.end() ? it->ch : static_cast<char32_t>(static_cast<uint8_t>(shown.text[i]));
    }
    return text;
}

TEST(InstructionReader, ShowsWhatAnEmptyFieldShows) {
    // Pieces of the instruction: bytes in font 5, or a \\uN unit (a string of one char32_t).
    const struct {
        std::vector<std::u32string> pieces;
        std::u32string expected;
        int32_t nFont;
    } cases[] = {
        {{U"MACROBUTTON NoMacro [", U"\u05E9", U"\u05DD", U"]"}, U"[שם]", -1},
        {{U"MACROBUTTON NoMacro [\u00F9\u00ED]"}, U"[\u00F9\u00ED]", 5},
        {{U"EQ \\s\\do5(", U"\xD83D", U"\xDE00", U")"}, U"\U0001F600", -1},
        {{U"EQ \\s\\do5(", U"\xDE00", U"\xD83D", U")"}, U"\xDE00\xD83D", -1},
        {{U"EQ \\s\\do5(\u00E0)"}, U"\u00E0", 5},
        {{U"PAGE \\* hebrew2"}, U"\u05D6", -1},
        {{U"SYMBOL 1488 \\f David"}, U"א", -1},
        {{U"PAGE \\* MERGEFORMAT"}, U"7", -1},
        {{U"TOC \\o \"1-3\""}, U"", -1},
        // A piece is cut at 256 bytes, and nothing is added once the instruction holds as many.
        {{U"MACROBUTTON x ", std::u32string(300, U'a'), U"b", U"\u05D0"}, std::u32string(256, U'a'), -1},
    };
    CRtfInstructionReader reader;
    for (const auto& c : cases) {
        reader.Begin();
        for (const std::u32string& piece : c.pieces) {
            if (piece.size() == 1 && piece[0] >= 0x100) {
                reader.AppendUnit(piece[0]);
            } else {
                const std::string bytes(piece.begin(), piece.end());
                reader.AppendBytes(bytes, 5);
            }
        }
        const CRtfInstructionReader::Shown shown = reader.End(0, "7");
        EXPECT_EQ(Shown(shown), c.expected) << ToUtf8(c.pieces[0]);
        if (!shown.Empty()) {
            EXPECT_EQ(shown.nFont, c.nFont) << ToUtf8(c.pieces[0]);
        }
    }
}

TEST(InstructionReader, DropDownShowsItsChosenEntry) {
    // The chosen entry (\\ffres), the default while none is chosen (25), nothing out of range.
    const std::tuple<int32_t, int32_t, std::u32string> cases[] = {{1, 0, U"two"}, {25, 2, U"three"}, {3, 0, U""}};
    CRtfInstructionReader reader;
    for (const auto& [nChosen, nDefault, expected] : cases) {
        reader.Begin();
        reader.AppendBytes("FORMDROPDOWN", -1);
        reader.SetFormFieldType(2);
        reader.SetFormFieldChoice(nChosen);
        reader.SetFormFieldDefault(nDefault);
        for (const char* szEntry : {"one", "two", "three"}) {
            reader.BeginFormFieldEntry();
            reader.AppendFormFieldEntry(szEntry);
        }
        EXPECT_EQ(Shown(reader.End(0, "1")), expected) << nChosen;
    }
}

}  // namespace
}  // namespace velmora::test
