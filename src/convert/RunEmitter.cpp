// Writing one visual line: its runs in visual order, as styled HTML or as bare text.

#include "CharClass.h"
#include "ConversionEngine.h"
#include "LineReversal.h"
#include "LineWalk.h"

#include <algorithm>
#include <charconv>

namespace velmora {

using namespace std::string_view_literals;

namespace {

// 0 left (no block), 1 centre, 2 right: justified text is written as a right block.
int32_t AlignmentCode(const ParaFormat& pf) {
    if ((pf.dwMask & PFM_ALIGNMENT) == 0) return 0;
    if (pf.wAlignment == PFA_LEFT) return 0;
    if (pf.wAlignment == PFA_CENTER) return 1;
    return 2;
}

void AppendAlignWord(std::u32string& strOut, int32_t nCode) { strOut += nCode == 1 ? U"center"sv : U"right"sv; }

void AppendDecimal(std::u32string& strOut, int32_t n) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, n);
    strOut.append(digits, result.ptr);
}

// "#rrggbb" from a 0x00BBGGRR colour value.
void AppendColorDigits(std::u32string& strOut, uint32_t crColor) {
    static constexpr char32_t kHex[] = U"0123456789abcdef";
    const uint32_t channels[3] = {crColor & 0xFF, (crColor >> 8) & 0xFF, (crColor >> 16) & 0xFF};
    strOut += U'#';
    for (uint32_t c : channels) {
        strOut += kHex[c >> 4];
        strOut += kHex[c & 0xF];
    }
}

// A list bullet (a middle dot and a tab, as the run reads once turned) is left out altogether.
bool IsListBullet(const TextRun& run, std::u32string_view text) {
    if (text.size() != 2) return false;
    char32_t turned[2] = {text[0], text[1]};
    if (run.bHebrew) ReverseRtlText(turned, 2);
    return turned[0] == kMiddleDot && turned[1] == U'\t';
}

constexpr auto kIsMarkOrLineEnd = [](char32_t ch) { return ch == kRightToLeftMark || ch == U'\r' || ch == U'\n'; };

// Appends the run's text in visual order: turned when it is right-to-left, without
// right-to-left marks and line ends. A right-to-left run is copied back to front in one pass
// that also notes whether it holds any ASCII (a Latin word to turn back, or a line end) or a
// mark; a run of Hebrew words, the most common, needs nothing more.
void AppendRunText(std::u32string& strOut, const TextRun& run, std::u32string_view text) {
    const size_t nAt = strOut.size();
    const size_t n = text.size();
    bool bAscii = false;
    bool bMark = false;
    if (run.bHebrew) {
        strOut.resize(nAt + n);
        char32_t* pRun = strOut.data() + nAt;
        const char32_t* pFrom = text.data() + n;
        for (size_t i = 0; i < n; ++i) {
            const char32_t ch = *--pFrom;
            bAscii |= ch < 0x80 && ch != U' ';
            bMark |= ch == kRightToLeftMark;
            pRun[i] = ch;
        }
        if (bAscii) TurnRtlWordsBack(pRun, n);
    } else {
        strOut.append(text);
        bAscii = bMark = true;  // a left-to-right run is searched for marks and line ends below
    }
    if (!bAscii && !bMark) return;
    char32_t* pRun = strOut.data() + nAt;
    char32_t* pEnd = std::remove_if(pRun, pRun + n, kIsMarkOrLineEnd);
    strOut.resize(static_cast<size_t>(pEnd - strOut.data()));
}

struct RunTags {
    bool bBold, bItalic, bUnderline, bColor, bSize;
    int32_t nSize;
};

RunTags TagsOf(const TextRun& run) {
    RunTags tags{};
    tags.bBold = (run.dwMask & CFM_BOLD) && (run.dwEffects & CFE_BOLD);
    tags.bItalic = (run.dwMask & CFM_ITALIC) && (run.dwEffects & CFE_ITALIC);
    tags.bUnderline = (run.dwMask & CFM_UNDERLINE) && (run.dwEffects & CFE_UNDERLINE);
    tags.bColor = (run.dwMask & CFM_COLOR) && !(run.dwEffects & CFE_AUTOCOLOR);
    tags.nSize = run.yHeight / 80;  // one HTML size step is 4 points, written unlimited
    tags.bSize = (run.dwMask & CFM_SIZE) && tags.nSize != 3;
    return tags;
}

void AppendOpeningTags(std::u32string& strOut, const TextRun& run, const RunTags& tags) {
    if (tags.bColor) {
        strOut += U"<FONT COLOR="sv;
        AppendColorDigits(strOut, run.crTextColor);
        strOut += U'>';
    }
    if (tags.bSize) {
        strOut += U"<FONT SIZE="sv;
        AppendDecimal(strOut, tags.nSize);
        strOut += U'>';
    }
    if (tags.bBold) strOut += U"<B>"sv;
    if (tags.bItalic) strOut += U"<I>"sv;
    if (tags.bUnderline) strOut += U"<U>"sv;
}

void AppendClosingTags(std::u32string& strOut, const RunTags& tags) {
    if (tags.bUnderline) strOut += U"</U>"sv;
    if (tags.bItalic) strOut += U"</I>"sv;
    if (tags.bBold) strOut += U"</B>"sv;
    if (tags.bColor) strOut += U"</FONT>"sv;
    if (tags.bSize) strOut += U"</FONT>"sv;
}

}  // namespace

void CConversionEngine::EmitRuns(TextModel& doc, const std::vector<TextRun>& runs, const std::vector<int32_t>& order,
                                 std::u32string& strOut, bool bHtml) {
    const TextRun& first = runs[static_cast<size_t>(order.front())];
    doc.SetSel(first.nStart, first.nStart + first.nLength);
    const int32_t nCode = AlignmentCode(doc.GetSelParaFormat());
    const bool bBlock = bHtml && nCode != 0 && nCode != m_nOpenAlign;
    if (bBlock) {
        strOut += U"<DIV ALIGN="sv;
        AppendAlignWord(strOut, nCode);
        strOut += U"><NOBR>"sv;
    }
    strOut += m_strLineOpen;
    const std::u32string_view text = doc.Text();
    auto appendText = [&](const TextRun& run, std::u32string_view runText) {
        if (m_pLineOrder != nullptr) {
            m_pLineOrder->AppendRunText(strOut, run, runText);
        } else {
            AppendRunText(strOut, run, runText);
        }
    };
    for (int32_t index : order) {
        if (index == kOrderSentinel) break;
        const TextRun& run = runs[static_cast<size_t>(index)];
        const std::u32string_view runText =
            text.substr(static_cast<size_t>(run.nStart), static_cast<size_t>(run.nLength));
        if (m_pLineOrder != nullptr ? m_pLineOrder->IsListBullet(run, runText) : IsListBullet(run, runText)) continue;
        if (!bHtml) {
            appendText(run, runText);
            continue;
        }
        const RunTags tags = TagsOf(run);
        AppendOpeningTags(strOut, run, tags);
        appendText(run, runText);
        AppendClosingTags(strOut, tags);
    }
    strOut += m_strLineClose;
    strOut += U"<BR>"sv;
    if (bBlock) strOut += kBlockClose;
    m_nLineAlign = nCode;
    // The control is left with the last run read selected; the empty-line rule reads it.
    const TextRun& last = runs[static_cast<size_t>(order[order.size() - 2])];
    doc.SetSelRaw(last.nStart, last.nStart + last.nLength);
}

}  // namespace velmora
