#include "RtfFormatResolver.h"

#include <cstring>

namespace velmora {

namespace {

// Properties compared and hashed as bytes, without a branch per member. Padding, if a member
// ever brings some, can only make equal properties look different: they are then resolved anew.
bool SameBytes(const RtfCharacterProps& a, const RtfCharacterProps& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

size_t ResolvedSlot(const RtfCharacterProps& chr) {
    const auto* pBytes = reinterpret_cast<const unsigned char*>(&chr);
    uint64_t nHash = 0;
    size_t i = 0;
    for (; i + 8 <= sizeof chr; i += 8) {
        uint64_t nWord;
        std::memcpy(&nWord, pBytes + i, 8);
        nHash += nWord * (0x9E3779B97F4A7C15ull + 2 * i);  // products side by side, not in a chain
    }
    for (; i < sizeof chr; ++i) nHash += pBytes[i] * (0xC2B2AE3D27D4EB4Full << (i % 8));
    nHash *= 0x9E3779B97F4A7C15ull;
    return static_cast<size_t>(nHash >> 60);  // one of 16 slots
}

}  // namespace

void CRtfFormatResolver::ForgetAll() {
    ++m_nGeneration;
    if (m_nGeneration == 0) {  // 0 stands for "never resolved"
        m_nGeneration = 1;
        m_resolved.fill(ResolvedFormat{});
    }
}

void CRtfFormatResolver::Resolve(RtfGroupState& state) {
    ResolvedFormat& resolved = m_resolved[ResolvedSlot(state.chr)];
    if (resolved.nGeneration == m_nGeneration && SameBytes(resolved.chr, state.chr)) {
        state.resolved = resolved.format;
        state.pUpperHalf = resolved.pUpperHalf;
        state.pDoubleByte = resolved.pDoubleByte;
        state.bUtf8 = resolved.bUtf8;
        state.nResolvedGeneration = m_nGeneration;
        return;
    }
    ResolveAnew(state);
    state.resolved.nKey = m_formatKeys.KeyOf(state.resolved.cf);
    resolved = {m_nGeneration, state.chr, state.resolved, state.pUpperHalf, state.pDoubleByte, state.bUtf8};
}

void CRtfFormatResolver::ResolveAnew(RtfGroupState& state) const {
    const RtfCharacterProps& chr = state.chr;
    const bool bAssoc = chr.bRtlChars;
    const bool bBold = bAssoc && chr.nAssocBold >= 0 ? chr.nAssocBold != 0 : chr.bBold;
    const bool bItalic = bAssoc && chr.nAssocItalic >= 0 ? chr.nAssocItalic != 0 : chr.bItalic;
    const int32_t nHalfPoints = bAssoc && chr.nAssocHalfPoints > 0 ? chr.nAssocHalfPoints : chr.nHalfPoints;
    const int32_t nFont = RunFont(chr);
    const int32_t nDeclaredCharset = m_fonts.DeclaredCharset(nFont);
    const uint8_t bCharset = nDeclaredCharset < 0 ? uint8_t{0} : static_cast<uint8_t>(nDeclaredCharset);
    uint32_t crColor = 0;
    const bool bExplicitColor = m_colors.Lookup(chr.nColor, crColor);
    state.resolved.cf = MakeCharFormat(bBold, bItalic, chr.bUnderline, chr.bStrike, !bExplicitColor, crColor,
                                       nHalfPoints * 10, bCharset);

    const CodePageDecoder decoder = FontDecoder(nFont);
    state.pUpperHalf = decoder.pUpperHalf;
    state.pDoubleByte = decoder.pDoubleByte;
    state.bUtf8 = decoder.bUtf8;
    if (!decoder.IsKnown()) state.pUpperHalf = CodePageUpperHalf(CP_WINDOWS_1252);
    state.nResolvedGeneration = m_nGeneration;
}

// A code page the font names (\cpg) comes first. \fcharset0 is Windows' ANSI_CHARSET, which is
// Western whatever \ansicpg says: AbiWord writes its symbols so, and Word and LibreOffice read them
// so. A font that names no set, or the default set 1, follows the document's code page.
CodePageDecoder CRtfFormatResolver::FontDecoder(int32_t nFont) const {
    if (const uint16_t nNamed = m_fonts.DeclaredCodePage(nFont)) {
        const CodePageDecoder named = FindCodePageDecoder(nNamed);
        if (named.IsKnown()) return named;
    }
    const int32_t nCharset = m_fonts.DeclaredCharset(nFont);
    const uint16_t nFontCodePage = nCharset == ANSI_CHARSET ? CP_WINDOWS_1252 : CodePageOfRtfCharset(nCharset);
    return FindCodePageDecoder(nFontCodePage != 0 ? nFontCodePage : m_nDocumentCodePage);
}

}  // namespace velmora
