#include "VisualToLogical.h"

#include "LineReversal.h"

namespace velmora {

namespace {

constexpr std::u32string_view kBreakTag = U"<br>";

bool IsLineEndChar(char32_t ch) { return ch == U'\r' || ch == U'\n'; }

void TrimBlanks(std::u32string& line) {
    const size_t last = line.find_last_not_of(U' ');
    if (last == std::u32string::npos) {
        line.clear();
        return;
    }
    line.erase(last + 1);
    line.erase(0, line.find_first_not_of(U' '));
}

}  // namespace

void VisualToLogical(std::u32string_view text, std::u32string& strResult) {
    std::u32string line;
    size_t p = 0;
    while (p < text.size()) {
        size_t m = 0;
        bool bTag = false;
        while (p + m < text.size() && !IsLineEndChar(text[p + m])) {
            if (text.substr(p + m, kBreakTag.size()) == kBreakTag) {
                bTag = true;
                break;
            }
            ++m;
        }
        size_t nBreaks = 0;
        if (!bTag && p + m < text.size()) {
            size_t k = 0;
            while (p + m + k < text.size() && IsLineEndChar(text[p + m + k])) ++k;
            nBreaks = k / 4 > 0 ? k / 4 : 1;
        }
        line.assign(text.substr(p, m));
        ReverseRtlText(line);
        TrimBlanks(line);
        strResult += line;
        if (bTag) nBreaks = 1;
        for (size_t b = 0; b < nBreaks; ++b) strResult += U"\r\n";
        p += m + (bTag ? kBreakTag.size() : 0);
        while (p < text.size() && IsLineEndChar(text[p])) ++p;
    }
}

}  // namespace velmora
