// Which code page a run's bytes are read in, and that a resolved format goes stale when the fonts
// or the document's code page change.

#include "RtfFormatResolver.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// Font 1 as a font table entry gives it: charset -1 and code page 0 leave the word out.
void DeclareFont(CRtfFontTable& fonts, int32_t nCharset, int32_t nCodePage = 0) {
    fonts.SetPendingFont(1);
    if (nCharset >= 0) fonts.SetPendingCharset(nCharset);
    if (nCodePage != 0) fonts.SetPendingCodePage(nCodePage);
    fonts.OnText("Some Font;");
}

char32_t UpperByte(const CodePageDecoder& decoder, uint8_t byte) { return decoder.pUpperHalf[byte - 0x80]; }

TEST(FormatResolver, FontCodePages) {
    struct Row {
        const char* szCase;
        int32_t nCharset;
        int32_t nCodePage;
        uint16_t nDocumentCodePage;
        uint8_t byte;
        char32_t expected;
    } const kRows[] = {
        {"a Hebrew set in a Western document", 177, 0, 1252, 0xE0, U'א'},
        {"ANSI_CHARSET is Western whatever the document says", 0, 0, 1255, 0xE0, U'à'},
        {"no set follows the document", -1, 0, 1255, 0xE0, U'א'},
        {"the default set follows the document", 1, 0, 1251, 0xE0, U'а'},
        {"a named code page comes before the set", 0, 1253, 1252, 0xE1, U'α'},
        {"an unknown named code page leaves the set", 177, 12345, 1252, 0xE0, U'א'},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.szCase);
        CRtfFontTable fonts;
        CRtfColorTable colors;
        DeclareFont(fonts, row.nCharset, row.nCodePage);
        CRtfFormatResolver resolver(fonts, colors);
        resolver.SetDocumentCodePage(row.nDocumentCodePage);
        const CodePageDecoder decoder = resolver.FontDecoder(1);
        ASSERT_NE(decoder.pUpperHalf, nullptr);
        EXPECT_EQ(UpperByte(decoder, row.byte), row.expected);
    }
    CRtfFontTable fonts;
    CRtfColorTable colors;
    DeclareFont(fonts, 128);
    EXPECT_NE(CRtfFormatResolver(fonts, colors).FontDecoder(1).pDoubleByte, nullptr);
}

TEST(FormatResolver, RightToLeftRunsTakeTheAssociatedFontAndStyle) {
    CRtfFontTable fonts;
    CRtfColorTable colors;
    DeclareFont(fonts, 177);
    CRtfFormatResolver resolver(fonts, colors);
    RtfGroupState state;
    state.chr.bRtlChars = true;
    state.chr.nAssocFont = 1;
    state.chr.nAssocBold = 1;
    resolver.Resolve(state);
    EXPECT_EQ(state.pUpperHalf[0xE0 - 0x80], U'א');
    EXPECT_TRUE(state.resolved.cf.IsBold());
    // Only its own \f named after \rtlch: that font, and the run's own weight when no \ab is set.
    state.chr.nFontsAfterRtl = kOwnFontAfterRtl;
    state.chr.nAssocBold = -1;
    resolver.Resolve(state);
    EXPECT_EQ(state.pUpperHalf[0xE0 - 0x80], U'à');
    EXPECT_FALSE(state.resolved.cf.IsBold());
}

TEST(FormatResolver, NewFontsOrCodePageMakeResolvedFormatsStale) {
    CRtfFontTable fonts;
    CRtfColorTable colors;
    CRtfFormatResolver resolver(fonts, colors);
    RtfGroupState state;
    state.chr.nFont = 1;
    resolver.Resolve(state);
    ASSERT_TRUE(resolver.IsCurrent(state));
    EXPECT_EQ(state.pUpperHalf[0xE0 - 0x80], U'à');

    resolver.SetDocumentCodePage(1255);
    EXPECT_FALSE(resolver.IsCurrent(state));
    resolver.Resolve(state);
    EXPECT_EQ(state.pUpperHalf[0xE0 - 0x80], U'א');

    DeclareFont(fonts, 161);  // the same properties, in a font now Greek
    resolver.ForgetAll();
    EXPECT_FALSE(resolver.IsCurrent(state));
    resolver.Resolve(state);
    EXPECT_EQ(state.pUpperHalf[0xE0 - 0x80], U'ΰ');
}

}  // namespace
}  // namespace velmora
