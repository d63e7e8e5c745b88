// Lines written in the Unicode Bidirectional Algorithm's order through the engine's emitter.

#include "ConversionEngine.h"
#include "TestText.h"
#include "UnicodeLineOrder.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::MakeDoc;
using test::Vis;

// The whole document as one visual line (nLineLength 0), or through the Nonstyled text walk.
std::string ConvertInUnicodeOrder(TextModel& doc, bool bHtml, int32_t nLineLength = 0) {
    CUnicodeLineOrder order;
    CConversionEngine engine;
    engine.SetLineOrder(&order);
    if (nLineLength > 0) return Vis(engine.NonstyledText(doc, nLineLength));
    engine.m_nTotalChars = doc.Length();
    std::u32string out;
    engine.ConvertRange(doc, out, 0, doc.Length(), bHtml);
    return Vis(out);
}

struct OrderCase {
    const char* markup;
    const char* html;
    const char* plain;
};

class UnicodeOrderLineTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(UnicodeOrderLineTest, WritesTheLineAsBrowsersShowIt) {
    TextModel doc = MakeDoc(GetParam().markup);
    EXPECT_EQ(ConvertInUnicodeOrder(doc, true), GetParam().html);
    EXPECT_EQ(ConvertInUnicodeOrder(doc, false), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UnicodeOrderLineTest,
    ::testing::Values(
        // Numbers stay after the Latin word, the brackets pair around it and are mirrored.
        OrderCase{"<ABCD (abc) 123, EFGH!", "!HGFE ,123 (abc) DCBA<BR>", "!HGFE ,123 (abc) DCBA<BR>"},
        OrderCase{"<ABC (DEF) 12", "12 (FED) CBA<BR>", "12 (FED) CBA<BR>"},
        // Runs of one level are cut where the format changes and keep their tags.
        OrderCase{">ABCD {L}{b}abc{b}{L} {red}EFGH",
                  "<DIV ALIGN=right><NOBR><FONT COLOR=#ff0000>HGFE</FONT> <B>abc</B> DCBA<BR></NOBR></DIV>",
                  "HGFE abc DCBA<BR>"},
        OrderCase{"<AB{b}CD{b}", "<B>DC</B>BA<BR>", "DCBA<BR>"},
        // A Latin sentence keeps its order and its final stop goes to the left end.
        OrderCase{"<abc, def.", ".abc, def<BR>", ".abc, def<BR>"},
        // Directional marks have done their work and are left out; a bullet is not written.
        OrderCase{"<AB~C", "CBA<BR>", "CBA<BR>"}, OrderCase{"<{b}*\t{b}abc", "abc<BR>", "abc<BR>"},
        // Line ends are dropped, their run keeps its tags.
        OrderCase{"<AB{b}|", "<B></B>BA<BR>", "BA<BR>"}));

TEST(UnicodeOrderTest, MarksStayAfterTheirLetterAndControlsAreLeftOut) {
    TextModel doc;
    // bet with a dagesh, gimel, then "ab" embedded right to left by RLE ... PDF.
    doc.Append(U"\u05D1\u05BC\u05D2 \u202Bab\u202C", HebrewTypingFormat());
    EXPECT_EQ(ConvertInUnicodeOrder(doc, false), "ab CB?<BR>");
}

TEST(UnicodeOrderTest, LevelsComeFromTheWholeParagraphNotFromEachLine) {
    // "-" lies between two Latin words in the paragraph, so it stays with the first one although
    // the line ends right after it.
    TextModel doc = MakeDoc("<abc - def");
    EXPECT_EQ(ConvertInUnicodeOrder(doc, false, 5), "abc -<BR>def<BR>");
}

TEST(UnicodeOrderTest, AParagraphSeparatorInsideALineStartsAParagraphToItsLeft) {
    TextModel doc;
    doc.Append(U"\u05D0\u05D1\u2029\u05D2\u05D3", HebrewTypingFormat());
    EXPECT_EQ(ConvertInUnicodeOrder(doc, false), "DC?BA<BR>");
}

}  // namespace
}  // namespace velmora
