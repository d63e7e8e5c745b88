// How the reader turns RTF into the model, word by word, table-driven. The dump shows each
// paragraph as alignment letter, '<' for right-to-left, then [attributes:text] runs.

#include "CaseName.h"
#include "ModelText.h"
#include "RtfReader.h"
#include "TextModelSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace velmora::test {
namespace {

// A document whose font table declares a Hebrew font: \f0 Hebrew (177), \f1 Latin (0),
// \f2 Cyrillic (204); colours 1 red, 2 empty (automatic), 3 explicit black.
constexpr std::string_view kHebrewFonts =
    R"({\rtf1\ansi\ansicpg1255\deff0{\fonttbl{\f0\fnil\fcharset177 David;}{\f1\fswiss\fcharset0 Arial;})"
    R"({\f2\fnil\fcharset204 Cyr;}}{\colortbl ;\red255\green0\blue0;;\red0\green0\blue0;})"
    "\r\n";
// A document like today's writers make: no Hebrew font, Hebrew as \uN.
constexpr std::string_view kNoHebrewFont =
    R"({\rtf1\ansi\deff0{\fonttbl{\f0\fnil\fcharset0 David CLM;}{\f1\fnil DejaVu Sans;}})"
    "\r\n";

std::string ReadDump(std::string_view header, std::string_view body) {
    TextModel model;
    const RtfReadResult result = ReadRtf(std::string(header) + std::string(body), model);
    if (!result.bOk) return "error: " + result.strError;
    return DumpModel(model);
}

struct ReaderCase {
    const char* szName;
    std::string_view header;
    const char* szBody;
    const char* szExpected;
};

class RtfReaderCase : public testing::TestWithParam<ReaderCase> {};

TEST_P(RtfReaderCase, ReadsAsExpected) {
    const ReaderCase& c = GetParam();
    EXPECT_EQ(ReadDump(c.header, c.szBody), c.szExpected) << c.szBody;
}

const ReaderCase kParagraphCases[] = {
    {"FinalParEndsTheLastParagraph", kHebrewFonts, R"(abc\par})", "L|[:abc]"},
    {"NoFinalPar", kHebrewFonts, R"(abc})", "L|[:abc]"},
    {"TwoFinalParsLeaveAnEmptyParagraph", kHebrewFonts, R"(abc\par\par})", "L|[:abc]\nL|"},
    {"EmptyDocument", kHebrewFonts, R"(})", "L|"},
    {"EmptyParagraphKeepsItsAlignment", kHebrewFonts, R"(a\par\pard\qc\par})", "L|[:a]\nC|"},
    {"LineIsABreakWithTheSameParagraphFormat", kHebrewFonts, R"(\qr abc\line def\par})", "R|[:abc]\nR|[:def]"},
    {"LineAtTheEndLeavesAnEmptyLine", kHebrewFonts, R"(\qc abc\line})", "C|[:abc]\nC|"},
    {"PardResetsTheAlignment", kHebrewFonts, R"(\qc a\par\pard b\par})", "C|[:a]\nL|[:b]"},
    {"LastAlignmentWordWins", kHebrewFonts, R"(\pard\ql\qr x\par})", "R|[:x]"},
    {"AlignmentAtTheParCounts", kHebrewFonts, R"(\pard x\qj\par})", "J|[:x]"},
    {"RtlParIsTheDirection", kHebrewFonts, R"(\pard\rtlpar\qr x\par\pard\ltrpar y\par})", "R<|[:x]\nL|[:y]"},
    {"ParagraphFormatInAGroup", kHebrewFonts, R"({\pard\qr a\par}{\pard\qc b\par}})", "R|[:a]\nC|[:b]"},
    {"SectPageAndRowEndParagraphs", kHebrewFonts, R"(a\sect b\page c\row d})", "L|[:a]\nL|[:b]\nL|[:c]\nL|[:d]"},
    {"BackslashLineEndIsPar", kHebrewFonts, "a\\\nb}", "L|[:a]\nL|[:b]"},
    {"TableCellsEndWithTabsRowsWithBreaks", kHebrewFonts, R"(\trowd a\cell b\cell\row c\par})", "L|[:a\tb\t]\nL|[:c]"},
    // cxref ends its tables with \intbl0; the text after the table is still the document's.
    {"TextAfterIntblZero", kHebrewFonts, R"(\trowd\intbl a\cell\row\intbl0 b\par c})", "L|[:a\t]\nL|[:b]\nL|[:c]"},
};
INSTANTIATE_TEST_SUITE_P(Paragraphs, RtfReaderCase, testing::ValuesIn(kParagraphCases), test::CaseName());

const ReaderCase kFormatCases[] = {
    {"GroupsSaveAndRestore", kHebrewFonts, R"({\b a}b{\i c}})", "L|[b:a][:b][i:c]"},
    {"PlainResets", kHebrewFonts, R"(\b\i\ul\strike\cf1\fs40 a\plain b})", "L|[b i u s #ff0000 h400:a][:b]"},
    {"ZeroParameterClears", kHebrewFonts, R"(\b a\b0 b\i1 c\i0 d})", "L|[b:a][:b][i:c][:d]"},
    {"Colours", kHebrewFonts, R"(\cf1 a\cf2 b\cf3 c\cf0 d\cf9 e})", "L|[#ff0000:a][:b][#000000:c][:de]"},
    {"SizesInHalfPoints", kHebrewFonts, R"(\fs40 a\fs21 b\fs c})", "L|[h400:a][h210:b][:c]"},
    {"UnderlineKinds", kHebrewFonts, R"(\ul a\ulnone b\uldb c\ul0 d\ulc1 e\ulwave f})", "L|[u:a][:b][u:c][:de][u:f]"},
    {"Strike", kHebrewFonts, R"(\strike a\strike0 b\striked1 c})", "L|[s:a][:b][s:c]"},
    {"HiddenTextIsLeftOut", kHebrewFonts, R"(a{\v hidden}b\v c\v0 d})", "L|[:abd]"},
    {"UnknownWordsAreIgnored", kHebrewFonts, R"(\foo\bar12 a\zzz-5 b})", "L|[:ab]"},
    {"AssociatedPropertiesInRtlText", kHebrewFonts,
     R"({\rtlch\ab\ai\afs40 \'e0}{\rtlch\b \'e1}{\ltrch\rtlch\ab0\b \'e2}{\rtlch\ab\ltrch x}})",
     "L|[b i h400:א][b:ב][:גx]"},
    {"AssociatedFontInRtlText", kHebrewFonts, R"({\rtlch\af2\f1 \'c0}{\ltrch\af2\f1 \'e0}})", "L|[c204:А][c0:à]"},
    {"OwnFontAfterRtlchOutweighsAnEarlierAssociatedFont", kHebrewFonts,
     R"(\rtlch\af1\ltrch\f1 {\ltrch\af2\rtlch\f0 \'f9}{\ltrch\rtlch\f0\af2 \'c0}\rtlch \'e0})", "L|[:ש][c204:А][c0:à]"},
    {"PlainForgetsAssociatedProperties", kHebrewFonts, R"(\rtlch\ab\plain\rtlch\b0 a})", "L|[:a]"},
};
INSTANTIATE_TEST_SUITE_P(Formats, RtfReaderCase, testing::ValuesIn(kFormatCases), test::CaseName());

const ReaderCase kCharacterCases[] = {
    {"HexInTheHebrewFont", kHebrewFonts, R"(\'e0\'e1 \'f9})", "L|[:אב ש]"},
    {"HexInAnAnsiFontIsWesternWhateverTheCodePage", kHebrewFonts, R"(\f1\'e0\'80\'d7})", "L|[c0:à€×]"},
    {"HexInAFontWithoutCharsetFollowsAnsiCodePage", R"({\rtf1\ansi\ansicpg1255{\fonttbl{\f0\fcharset177 D;}{\f1 A;}})",
     R"(\f1\'e0\f2\'e1})", "L|[c0:אב]"},
    {"HexInTheDefaultCharsetFollowsAnsiCodePage",
     R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset177 D;}{\f1\fcharset1 A;}})", R"(\f1\'c0})", "L|[c1:А]"},
    {"HexInACyrillicFont", kHebrewFonts, R"(\f2\'c0\'e1})", "L|[c204:Аб]"},
    {"HexWithoutAnsiCodePageIs1252", R"({\rtf1\ansi{\fonttbl{\f0\fcharset177 D;}{\f1 A;}})", R"(\f1\'e0\'ff})",
     "L|[c0:àÿ]"},
    {"UnknownAnsiCodePageFallsBackTo1252", R"({\rtf1\ansi\ansicpg9999{\fonttbl{\f0\fcharset177 D;}{\f1 A;}})",
     R"(\f1\'e0})", "L|[c0:à]"},
    {"UndefinedByteIsAReplacement", kHebrewFonts, R"(\'ff x})", "L|[:\xEF\xBF\xBD x]"},
    {"EightBitTextInTheFontCodePage", kHebrewFonts, "\xF9\xEC\xE5\xED}", "L|[:שלום]"},
    {"UnicodeWithFallbackSkipping", kHebrewFonts, R"(\u1488?\uc0\u1489 \uc2\u1490??x})", "L|[:אבגx]"},
    {"FallbackIsAHexEscape", kHebrewFonts, R"(\u1488\'3f\u1489\'3f})", "L|[:אב]"},
    {"FallbackStopsAtAGroup", kHebrewFonts, R"(\uc3{\u1488}ab})", "L|[:אab]"},
    // Word counts a control word or symbol as one skipped character (LibreOffice skips the next letter).
    {"FallbackControlWordCountsAsOne", kHebrewFonts, R"(\u1488\~a\u1489\hich b})", "L|[:אaבb]"},
    {"UcIsGroupScoped", kHebrewFonts, R"({\uc0\u1488}\u1489?})", "L|[:אב]"},
    {"NegativeSurrogatePair", kHebrewFonts, R"(\u-10179?\u-8704?})", "L|[:😀]"},
    {"UnsignedSurrogatePairWithUcSwitch", kHebrewFonts, R"(\uc0 \u55357\uc1 \u56832\'3f x})", "L|[:😀 x]"},
    {"NegativeBmpCharacter", kHebrewFonts, R"(\u-4?})", "L|[:\xEF\xBF\xBC]"},
    {"LoneSurrogatesAreReplacements", kHebrewFonts, R"(\u55357?x\u56832?})", "L|[:\xEF\xBF\xBDx\xEF\xBF\xBD]"},
    {"SpecialCharacters", kHebrewFonts, R"(\tab\emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote\~\_\-x})",
     "L|[:\t—–•‘’“”\xC2\xA0\u2011x]"},
    {"Escapes", kHebrewFonts, R"(\\\{\}})", R"(L|[:\{}])"},
    {"DirectionMarks", kHebrewFonts, R"(\rtlmark\ltrmark})", "L|[:\u200F\u200E]"},
    {"TabByteIsATab", kHebrewFonts, "a\tb}", "L|[:a\tb]"},
};
INSTANTIATE_TEST_SUITE_P(Characters, RtfReaderCase, testing::ValuesIn(kCharacterCases), test::CaseName());

const ReaderCase kDestinationCases[] = {
    {"IgnorableDestination", kHebrewFonts, R"({\*\foo not text}a})", "L|[:a]"},
    {"StylesheetAndInfo", kHebrewFonts, R"({\stylesheet{\s1\qc Normal;}}{\info{\title T}{\author A}}a})", "L|[:a]"},
    {"PictureWithBinaryData", kHebrewFonts, R"(a{\pict\wmetafile8\bin4 \}{x}b})", "L|[:ab]"},
    {"FieldKeepsItsResult", kHebrewFonts, R"({\field{\*\fldinst HYPERLINK "x"}{\fldrslt{\ul link}}} })",
     "L|[u:link][: ]"},
    {"FieldInstructionWithoutStar", kHebrewFonts, R"({\field{\fldinst PAGE}{\fldrslt 3}}})", "L|[:3]"},
    {"StarredFieldResult", kHebrewFonts, R"({\field{\*\fldinst {TOC \\f }}{\*\fldrslt {\b stale}}}x})",
     "L|[b:stale][:x]"},
    {"HeaderFooterFootnote", kHebrewFonts, R"({\header h}a{\footnote f}b{\footer g}})", "L|[:a1b]"},
    {"ListTextIsKept", kHebrewFonts, R"({\listtext\'b7\tab}x})", "L|[:·\tx]"},
    {"DestinationWordInTheDocumentGroupSwallowsNothing", kHebrewFonts, R"(\info a})", "L|[:a]"},
    {"FlatFontTable", R"({\rtf1\ansi{\fonttbl\f0\fnil\fcharset177 David;\f1 Arial;})", R"(\'e0\f1 x})", "L|[:א][c0:x]"},
    {"FontTableWithAlternateNames", R"({\rtf1{\fonttbl{\f0\fcharset177{\*\falt Dav}{\*\panose 0} David;}{\f1 A;}})",
     R"(\'e0\f1 x})", "L|[:א][c0:x]"},
    {"DefaultFontAndPlain", R"({\rtf1\ansi\deff1{\fonttbl{\f0\fcharset177 A;}{\f1\fcharset0 B;}})",
     R"(a\f0 b\plain c})", "L|[c0:a][:b][c0:c]"},
    {"ColourTableWithoutLastSemicolon", R"({\rtf1{\fonttbl{\f0\fcharset177 A;}}{\colortbl;\red0\green128\blue0})",
     R"(\cf1 g})", "L|[#008000:g]"},
};
INSTANTIATE_TEST_SUITE_P(Destinations, RtfReaderCase, testing::ValuesIn(kDestinationCases), test::CaseName());

// Without a Hebrew font the character set is inferred: Hebrew script 177, other letters their
// font's set, everything else 177 in right-to-left paragraphs and the font's set elsewhere.
const ReaderCase kInferenceCases[] = {
    {"RtlParagraph", kNoHebrewFont, R"(\rtlpar \u1488?\u1489? 12, ab.\par})", "L<|[:אב 12, ][c0:ab][:.]"},
    {"LtrParagraph", kNoHebrewFont, R"(\ltrpar \u1488? 12 ab\par})", "L|[:א][c0: 12 ab]"},
    {"NoDirectionHebrewFirstLetter", kNoHebrewFont, R"(12 \u1488? ab.\par})", "L|[:12 א ][c0:ab][:.]"},
    {"NoDirectionLatinFirstLetter", kNoHebrewFont, R"(12 ab \u1488?.\par})", "L|[c0:12 ab ][:א][c0:.]"},
    {"OtherLettersKeepTheirFontsSet", kNoHebrewFont, R"(\rtlpar \u945?\u1488?\u1605?1})", "L<|[c0:α][:א][c0:م][:1]"},
    {"PointsAreHebrewScript", kNoHebrewFont, R"(\ltrpar \u1489?\u1468?a})", "L|[:\u05D1\u05BC][c0:a]"},
    {"HexInAnsiCodePage1255", R"({\rtf1\ansi\ansicpg1255{\fonttbl{\f0 David;}})", R"(\rtlpar\'f9\'ec 1})",
     "L<|[:של 1]"},
    {"LineBreakSplitsButOneParagraphDecides", kNoHebrewFont, R"(1\line\u1488?\par})", "L|[:1]\nL|[:א]"},
};
INSTANTIATE_TEST_SUITE_P(Inference, RtfReaderCase, testing::ValuesIn(kInferenceCases), test::CaseName());

TEST(RtfReader, ParagraphBreakTakesTheFormatAtItsPar) {
    TextModel model;
    ASSERT_TRUE(ReadRtf(std::string(kHebrewFonts) + R"(a{\b\cf1\fs40\par}b\line c})", model).bOk);
    ASSERT_EQ(model.Length(), 7);
    const CharFormat& cr = model.FormatAt(1);
    EXPECT_TRUE(cr.IsBold());
    EXPECT_FALSE(cr.IsAutoColor());
    EXPECT_EQ(cr.crTextColor, 0x0000FFu);
    EXPECT_EQ(cr.yHeight, 400);
    EXPECT_EQ(model.FormatAt(2), cr);          // LF like CR
    EXPECT_FALSE(model.FormatAt(4).IsBold());  // the \line's CR
}

TEST(RtfReader, BreakInARightToLeftParagraphWithoutHebrewFontIsHebrew) {
    TextModel model;
    ASSERT_TRUE(ReadRtf(std::string(kNoHebrewFont) + R"(\rtlpar a\line b\par c})", model).bOk);
    ASSERT_EQ(ToUtf8(model.Text()), "a\r\nb\r\nc");
    EXPECT_EQ(model.FormatAt(1).bCharSet, HEBREW_CHARSET);
    EXPECT_EQ(model.FormatAt(4).bCharSet, HEBREW_CHARSET);
    EXPECT_EQ(model.FormatAt(0).bCharSet, ANSI_CHARSET);
}

TEST(RtfReader, ReadingClearsTheModel) {
    TextModel model;
    model.Append(U"old", HebrewTypingFormat());
    model.BreakParagraph(HebrewTypingFormat());
    ASSERT_TRUE(ReadRtf(std::string(kHebrewFonts) + "new}", model).bOk);
    EXPECT_EQ(DumpModel(model), "L|[:new]");
}

struct CountingSink final : IRtfSink {
    int nFormats = 0, nTexts = 0, nBreaks = 0;
    std::vector<size_t> inputReadTo;
    void SetParagraphFormat(uint16_t, bool) override { ++nFormats; }
    void AppendText(std::u32string_view, const CharFormat&) override { ++nTexts; }
    void EndParagraph(const CharFormat&) override { ++nBreaks; }
    void InputReadTo(size_t nBytes) override { inputReadTo.push_back(nBytes); }
};

TEST(RtfReader, HandsTextOnInWholeRuns) {
    CountingSink sink;
    std::string body;
    for (int i = 0; i < 100; ++i) body += R"({\f0 \'e0\'e1\'e2 abc}{\f0\b x})";
    ASSERT_TRUE(ReadRtf(std::string(kHebrewFonts) + body + R"(\par})", sink).bOk);
    EXPECT_EQ(sink.nFormats, 1);
    EXPECT_EQ(sink.nTexts, 200);  // one run per format change, not one per character
    EXPECT_EQ(sink.nBreaks, 0);
}

// A converter lets a mapped file's pages go behind the reader: it must hear how far the reader
// is, every few megabytes, never past the input.
TEST(RtfReader, TellsHowFarItHasRead) {
    std::string rtf(kHebrewFonts);
    while (rtf.size() < (size_t{13} << 20)) rtf += "\\'e0\\'e1 text of a paragraph\\par\n";
    rtf += "}";
    CountingSink sink;
    ASSERT_TRUE(ReadRtf(rtf, sink).bOk);
    ASSERT_GE(sink.inputReadTo.size(), 3u);
    EXPECT_TRUE(std::is_sorted(sink.inputReadTo.begin(), sink.inputReadTo.end()));
    EXPECT_LE(sink.inputReadTo.back(), rtf.size());
    EXPECT_GE(sink.inputReadTo.back(), rtf.size() - (size_t{5} << 20));
}

// The editor's model is filled by format number: each number must stand for one format, and
// the model must come out as it does from the formats themselves. Hebrew set inferred or not,
// line breaks, list labels and formats that come back all number formats.
struct KeyCheckingSink final : IRtfSink {
    TextModel model;
    CTextModelSink byFormat{model};
    std::map<uint32_t, CharFormat> formats;
    bool bConsistent = true;
    void Note(const KeyedCharFormat& format) {
        bConsistent = formats.emplace(format.nKey, format.cf).first->second == format.cf && bConsistent;
    }
    void SetParagraphFormat(uint16_t wAlignment, bool bRtl) override { byFormat.SetParagraphFormat(wAlignment, bRtl); }
    void AppendText(std::u32string_view text, const CharFormat& cf) override { byFormat.AppendText(text, cf); }
    void EndParagraph(const CharFormat& cf) override { byFormat.EndParagraph(cf); }
    void AppendKeyedRuns(std::u32string_view text, std::span<const KeyedRun> runs) override {
        for (const KeyedRun& run : runs) Note(run.format);
        IRtfSink::AppendKeyedRuns(text, runs);  // into AppendText, run by run
    }
    void EndKeyedParagraph(const KeyedCharFormat& format) override {
        Note(format);
        byFormat.EndParagraph(format.cf);
    }
};

class RtfFormatKeyCase : public testing::TestWithParam<ReaderCase> {};

TEST_P(RtfFormatKeyCase, NumbersEachFormatOnce) {
    const std::string rtf = std::string(GetParam().header) + GetParam().szBody;
    KeyCheckingSink sink;
    ASSERT_TRUE(ReadRtf(rtf, sink).bOk);
    EXPECT_TRUE(sink.bConsistent);
    EXPECT_GE(sink.formats.size(), 2u);
    TextModel model;
    ASSERT_TRUE(ReadRtf(rtf, model).bOk);
    EXPECT_EQ(CompareModels(model, sink.model), "");
    EXPECT_EQ(DumpModel(model), GetParam().szExpected);
}

const ReaderCase kFormatKeyCases[] = {
    {"FormatsComeBack", kHebrewFonts, R"(\'e0{\b\f1 ab}\'e1{\cf1 c}\'e2{\b\f1 d\line}\'e3\par{\b e}\par})",
     "L|[:א][b c0:ab][:ב][#ff0000:c][:ג][b c0:d]\nL|[:ד]\nL|[b:e]"},
    {"InferredSets", kNoHebrewFont, R"(\rtlpar\qr \u1488 ab 1{\b \u1489 c}\line\par\ltrpar a \u1490\par})",
     "R<|[:א][c0:b][: 1][b:ב]\nR<|\nR|[c0:a ][:ג]"},
    {"ListLabel", kHebrewFonts, R"({\listtext\f1 1.\tab}\b\'e0\par\b0 x\par})", "L|[b:1.\tא]\nL|[:x]"},
};
INSTANTIATE_TEST_SUITE_P(FormatKeys, RtfFormatKeyCase, testing::ValuesIn(kFormatKeyCases), test::CaseName());

// What a save over the file would lose, by the letters P (pictures), H (headers and footers),
// N (notes), C (comments) and V (hidden text): each only where it holds something.
std::string UnkeptLetters(std::string_view body) {
    TextModel model;
    const uint8_t nUnkept = ReadRtf(std::string(kHebrewFonts) + std::string(body), model).nUnkept;
    std::string letters;
    for (const auto& [nKind, ch] : {std::pair{kUnkeptPictures, 'P'},
                                    {kUnkeptHeadersFooters, 'H'},
                                    {kUnkeptNotes, 'N'},
                                    {kUnkeptComments, 'C'},
                                    {kUnkeptHiddenText, 'V'}})
        if (nUnkept & nKind) letters += ch;
    return letters;
}

TEST(RtfReader, TellsWhatTheModelDoesNotKeep) {
    const std::pair<const char*, const char*> kCases[] = {
        {R"({\b\qr a}{\*\bkmkstart x}{\info{\title T}}{\field{\*\fldinst PAGE}{\fldrslt 1}}\par})", ""},
        {R"(a{\*\shppict{\pict\pngblip 89504e47}}{\nonshppict{\pict\wmetafile8 0100}}})", "P"},
        {R"(a{\pict\wmetafile8\bin4 \}{x}b})", "P"},
        {R"({\object\objemb{\*\objdata 0105}{\result{\pict\emfblip 0100}}}})", "P"},
        {R"({\header\pard\plain\par}{\footer{\*\bkmkstart f}}a})", ""},
        {R"({\headerl\pard {\field{\*\fldinst PAGE}{\fldrslt 1}}\par}a})", "H"},
        {R"(a{\footnote\pard{\super\chftn} note}})", "N"},
        {R"(a{\*\atnid J}\chatn{\*\annotation{\*\atnref 0}\pard text}})", "C"},
        {R"(a{\v jump}{\v\u1488?}})", "V"},
        {R"({\v }a{\footer\pard\tab\par}})", ""},
        {R"(a{\footer\pard\qr{\chpgn}\par}})", "H"},
        {R"({\v\'e0}{\footnote n}{\pict 00}{\header h}{\*\annotation c})", "PHNCV"},
    };
    for (const auto& [szBody, szExpected] : kCases) EXPECT_EQ(UnkeptLetters(szBody), szExpected) << szBody;
}

TEST(RtfReader, LooksLikeRtf) {
    EXPECT_TRUE(LooksLikeRtf(R"({\rtf1 x})"));
    EXPECT_TRUE(LooksLikeRtf("\xEF\xBB\xBF \r\n\t{\\rtf1}"));
    EXPECT_TRUE(LooksLikeRtf(R"({\rtf)"));
    EXPECT_FALSE(LooksLikeRtf(""));
    EXPECT_FALSE(LooksLikeRtf("{\\rt"));
    EXPECT_FALSE(LooksLikeRtf("hello {\\rtf1}"));
    EXPECT_FALSE(LooksLikeRtf(std::string_view("{\0\\\0r\0t\0f\0", 10)));  // UTF-16
    EXPECT_FALSE(LooksLikeRtf("{\\RTF1}"));
}

}  // namespace
}  // namespace velmora::test
