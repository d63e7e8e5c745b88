// Fuzzes the conversion engine: documents made of the characters and formats that steer its
// rules (blanks, break and edge punctuation, Hebrew, marks, bullets, line ends), any layout, line
// length and selection, through both line walks and the way back from visual text.

#include "ConversionEngine.h"
#include "VisualToLogical.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace velmora;

constexpr char32_t kAlphabet[] = {U' ', U' ', U'.', U',', U':', U'(', U')', U'[', U'"', U'-', U'$', U'a', U'b',
                                  U'1', U'2', U'\t', U'\r', U'\n', U'<', U'>', U'\u05D0', U'\u05D1',
                                  U'\u05B0', U'\u200F', U'\u00B7', U'\u00A0', U'\U0001F600'};

void Check(bool bCondition) {
    if (!bCondition) std::abort();
}

TextModel BuildDocument(const uint8_t* data, size_t size) {
    TextModel doc;
    CharFormat cf = HebrewTypingFormat();
    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = data[i];
        if (b < 0x08) {
            switch (b) {
            case 0: cf.dwEffects ^= CFE_BOLD; break;
            case 1: cf.bCharSet = cf.bCharSet == HEBREW_CHARSET ? ANSI_CHARSET : HEBREW_CHARSET; break;
            case 2: cf.dwEffects ^= CFE_AUTOCOLOR; cf.crTextColor = cf.IsAutoColor() ? 0 : 0xFF; break;
            case 3: cf.yHeight = cf.yHeight == 240 ? 160 : 240; break;
            case 4: doc.BreakParagraph(cf); break;
            default: doc.SetParagraphAlignment(static_cast<uint16_t>(b - 4)); break;
            }
            continue;
        }
        doc.Append(kAlphabet[b % std::size(kAlphabet)], cf);
    }
    return doc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const int32_t nLineLength = 1 + data[0] % 256;
    const int32_t nWrap = data[1] % 24;
    TextModel doc = BuildDocument(data + 4, size - 4);
    doc.LayOut(nWrap);
    const int32_t len = doc.Length();
    const int32_t a = len > 0 ? data[2] % (len + 1) : 0;
    const int32_t b = len > 0 ? data[3] % (len + 1) : 0;
    doc.SetSel(a, b);
    int32_t nStart = 0;
    int32_t nEnd = 0;
    doc.GetSel(nStart, nEnd);
    if (len == 0) return 0;

    CConversionEngine engine;
    const std::u32string html = engine.CopyToHtml(doc, nLineLength);
    Check(html.ends_with(U"</NOBR></DIV>"));
    int32_t nAfterStart = -1;
    int32_t nAfterEnd = -1;
    doc.GetSel(nAfterStart, nAfterEnd);
    Check(nAfterStart == nStart && nAfterEnd == nEnd);
    Check(engine.m_nDoneChars <= engine.m_nTotalChars);

    const std::u32string plain = engine.NonstyledText(doc, nLineLength);
    Check(plain.find(U"<NOBR>") == std::u32string::npos);

    std::u32string logical;
    VisualToLogical(doc.Text(), logical);
    return 0;
}
