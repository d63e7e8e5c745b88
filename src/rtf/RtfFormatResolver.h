#pragma once
// Turns a group's character properties into the format its text is shown in and the code page its
// bytes are read in. Documents switch between a few formats over and over (\rtlch\af0 ...
// \ltrch\f1 ...): the same properties resolve to the same format until the fonts, the colours or
// the document's code page change, which starts a new generation.

#include "CodePages.h"
#include "IconvCodePages.h"
#include "RtfColorTable.h"
#include "RtfFontTable.h"
#include "RtfFormatKeys.h"
#include "RtfGroupState.h"

#include <array>
#include <cstdint>

namespace velmora {

class CRtfFormatResolver {
public:
    CRtfFormatResolver(const CRtfFontTable& fonts, const CRtfColorTable& colors) : m_fonts(fonts), m_colors(colors) {}

    // The code page of fonts that name none (\ansi, \mac, \ansicpg...).
    uint16_t DocumentCodePage() const { return m_nDocumentCodePage; }
    void SetDocumentCodePage(uint16_t nCodePage) {
        m_nDocumentCodePage = nCodePage;
        ForgetAll();
    }
    // The fonts or the colours changed: every resolved format may be stale, however deep the groups.
    void ForgetAll();

    // True while the format state holds was resolved in this generation.
    bool IsCurrent(const RtfGroupState& state) const { return state.nResolvedGeneration == m_nGeneration; }
    // Sets state's resolved format and code page from its character properties.
    void Resolve(RtfGroupState& state);

    // The code page font nFont's bytes are read in.
    CodePageDecoder FontDecoder(int32_t nFont) const;

private:
    void ResolveAnew(RtfGroupState& state) const;

    const CRtfFontTable& m_fonts;
    const CRtfColorTable& m_colors;
    uint16_t m_nDocumentCodePage = CP_WINDOWS_1252;
    uint32_t m_nGeneration = 1;  // see RtfGroupState::nResolvedGeneration
    CRtfFormatKeys m_formatKeys;
    // Formats resolved lately, whichever group they were resolved for, in the slot their
    // properties hash to.
    struct ResolvedFormat {
        uint32_t nGeneration = 0;
        RtfCharacterProps chr;
        KeyedCharFormat format;
        const char32_t* pUpperHalf = nullptr;
        const CDoubleByteCodePage* pDoubleByte = nullptr;
        bool bUtf8 = false;
    };
    std::array<ResolvedFormat, 16> m_resolved;
};

}  // namespace velmora
