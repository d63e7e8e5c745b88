// What the writer puts in the file: the exact bytes for a small document, and the choices that
// peers depend on.

#include "CaseName.h"
#include "ModelText.h"
#include "RtfReader.h"
#include "RtfWriter.h"

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

const CharFormat kHebrew = HebrewTypingFormat();
const CharFormat kLatin = MakeCharFormat(false, false, false, false, true, 0, 240, ANSI_CHARSET);

std::string WriteOne(std::u32string_view text, const CharFormat& cf, uint16_t wAlignment = PFA_LEFT,
                     bool bRtl = false) {
    TextModel model;
    model.Append(text, cf);
    model.SetParagraphAlignment(wAlignment);
    model.SetParagraphRtl(bRtl);
    return WriteRtf(model);
}

// The body between the header and the closing brace.
std::string Body(const std::string& rtf) {
    const size_t nStart = rtf.find("\\pard");
    const size_t nEnd = rtf.rfind('}');
    return rtf.substr(nStart, nEnd - nStart);
}

TEST(RtfWriter, WritesASmallDocumentExactly) {
    TextModel model;
    model.SetParagraphAlignment(PFA_RIGHT);
    model.SetParagraphRtl(true);
    model.Append(U"שלום ", kHebrew);
    model.Append(U"abc", MakeCharFormat(true, false, false, false, true, 0, 240, ANSI_CHARSET));
    model.Append(U" עולם", MakeCharFormat(false, true, true, false, false, 0x0000FF, 320, HEBREW_CHARSET));
    model.BreakParagraph(kHebrew);
    model.SetParagraphAlignment(PFA_CENTER);
    model.SetParagraphRtl(false);
    model.Append(U"x{\\}\ty", MakeCharFormat(false, false, false, true, false, 0x123456, 240, ANSI_CHARSET));
    EXPECT_EQ(WriteRtf(model),
              "{\\rtf1\\ansi\\ansicpg1255\\deff0\\uc1\r\n"
              "{\\fonttbl{\\f0\\fnil\\fcharset177 David;}{\\f1\\fswiss\\fcharset0 Arial;}}\r\n"
              "{\\colortbl ;\\red255\\green0\\blue0;\\red86\\green52\\blue18;}\r\n"
              "{\\*\\generator Velmora 2.0;}\r\n"
              "\\pard\\qr\\rtlpar\\rtlch\\'f9\\'ec\\'e5\\'ed \\rtlch\\af1\\ab\\ltrch\\f1\\b abc"
              "\\ltrch\\f0\\b0\\i\\fs32\\rtlch\\af0\\ab0\\ai\\afs32\\ul\\cf1  \\'f2\\'e5\\'ec\\'ed"
              "\\ltrch\\i0\\fs24\\rtlch\\ai0\\afs24\\ulnone\\cf0\\par\r\n"
              "\\pard\\qc\\ltrpar\\rtlch\\af1\\ltrch\\f1\\strike\\cf2 x\\{\\\\\\}\\tab y\\par\r\n"
              "}\r\n");
}

TEST(RtfWriter, TextEndingInABreakEndsWithTwoPars) {
    TextModel model;
    model.Append(U"abc", kLatin);
    model.BreakParagraph(kLatin);
    EXPECT_EQ(Body(WriteRtf(model)),
              "\\pard\\ql\\ltrpar\\rtlch\\af1\\ltrch\\f1 abc\\par\r\n\\pard\\ql\\ltrpar\\par\r\n");
    EXPECT_EQ(Body(WriteRtf(TextModel())), "\\pard\\ql\\ltrpar\\par\r\n");
}

struct CharCase {
    const char* szName;
    std::u32string_view text;
    uint8_t bCharSet;
    const char* szBody;
};

class RtfWriterChars : public testing::TestWithParam<CharCase> {};

TEST_P(RtfWriterChars, EncodesEachCharacter) {
    const CharCase& c = GetParam();
    CharFormat cf = kHebrew;
    cf.bCharSet = c.bCharSet;
    EXPECT_EQ(Body(WriteOne(c.text, cf)), c.szBody);
}

const CharCase kCharCases[] = {
    // Windows-1255 in the Hebrew font, \u with a '?' fallback everywhere else.
    {"HebrewWithPointsAsHex", U"\u05E9\u05C1\u05B8", HEBREW_CHARSET,
     "\\pard\\ql\\ltrpar\\rtlch\\'f9\\'d1\\'c8\\par\r\n"},
    {"MarksAndSheqelAsHex", U"\u200F\u200E\u20AA\u00A0", HEBREW_CHARSET,
     "\\pard\\ql\\ltrpar\\rtlch\\'fe\\'fd\\'a4\\'a0\\par\r\n"},
    {"OutsideCp1255AsUnicode", U"\u05C7\u0410", HEBREW_CHARSET, "\\pard\\ql\\ltrpar\\rtlch\\u1479?\\u1040?\\par\r\n"},
    {"HebrewInTheLatinFontAsUnicode", U"\u05D0\u00E9", ANSI_CHARSET,
     "\\pard\\ql\\ltrpar\\rtlch\\af1\\ltrch\\f1\\u1488?\\u233?\\par\r\n"},
    {"AboveU7FFFIsNegative", U"\uFB2A\uFFFD", HEBREW_CHARSET, "\\pard\\ql\\ltrpar\\rtlch\\u-1238?\\u-3?\\par\r\n"},
    {"AstralAsASurrogatePair", U"\U0001F600", HEBREW_CHARSET, "\\pard\\ql\\ltrpar\\rtlch\\u-10179?\\u-8704?\\par\r\n"},
    {"ControlCharactersAsUnicode", U"\x01\x7F\r", HEBREW_CHARSET,
     "\\pard\\ql\\ltrpar\\rtlch\\u1?\\u127?\\u13?\\par\r\n"},
    {"TabAndEscapes", U"\t{}\\", HEBREW_CHARSET, "\\pard\\ql\\ltrpar\\rtlch\\tab\\{\\}\\\\\\par\r\n"},
    {"OtherCharsetGetsItsOwnFont", U"\u0410b", 204, "\\pard\\ql\\ltrpar\\rtlch\\af2\\ltrch\\f2\\u1040?b\\par\r\n"},
};
INSTANTIATE_TEST_SUITE_P(Characters, RtfWriterChars, testing::ValuesIn(kCharCases), test::CaseName());

TEST(RtfWriter, DeclaresAFontForEveryCharacterSetUsed) {
    TextModel model;
    CharFormat cf = kHebrew;
    for (uint8_t bSet : {uint8_t{204}, uint8_t{161}, uint8_t{204}, uint8_t{2}}) {
        cf.bCharSet = bSet;
        model.Append(U"x", cf);
    }
    const std::string rtf = WriteRtf(model);
    EXPECT_NE(
        rtf.find("{\\f2\\fnil\\fcharset204 Arial;}{\\f3\\fnil\\fcharset161 Arial;}{\\f4\\fnil\\fcharset2 Arial;}}"),
        std::string::npos)
        << rtf;
    EXPECT_EQ(Body(rtf),
              "\\pard\\ql\\ltrpar\\rtlch\\af2\\ltrch\\f2 x\\rtlch\\af3\\ltrch\\f3 x\\rtlch\\af2\\ltrch\\f2 x"
              "\\rtlch\\af4\\ltrch\\f4 x\\par\r\n");
}

TEST(RtfWriter, SizeIsRoundedToHalfPoints) {
    EXPECT_EQ(Body(WriteOne(U"x", MakeCharFormat(false, false, false, false, true, 0, 215, HEBREW_CHARSET))),
              "\\pard\\ql\\ltrpar\\ltrch\\fs22\\rtlch\\afs22 x\\par\r\n");
}

TEST(RtfWriter, OutputIsSevenBitAscii) {
    const std::string rtf = WriteOne(U"\u05D0\u00E9\U0001F600\u200F", kLatin, PFA_RIGHT, true);
    for (char c : rtf) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
}

}  // namespace
}  // namespace velmora::test
