// Writing one visual line: its runs in visual order, as styled HTML or as bare text.

#include "CharClass.h"
#include "ConversionEngine.h"
#include "Cp1255Scan.h"
#include "LineReversal.h"
#include "LineWalk.h"

#include <algorithm>
#include <charconv>
#include <type_traits>

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

template <typename CharT>
void AppendAlignWord(std::basic_string<CharT>& strOut, int32_t nCode) {
    AppendAscii(strOut, nCode == 1 ? "center"sv : "right"sv);
}

template <typename CharT>
void AppendDecimal(std::basic_string<CharT>& strOut, int32_t n) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, n);
    strOut.append(digits, result.ptr);
}

// "#rrggbb" from a 0x00BBGGRR colour value.
template <typename CharT>
void AppendColorDigits(std::basic_string<CharT>& strOut, uint32_t crColor) {
    static constexpr char kHex[] = "0123456789abcdef";
    const uint32_t channels[3] = {crColor & 0xFF, (crColor >> 8) & 0xFF, (crColor >> 16) & 0xFF};
    strOut += CharT('#');
    for (uint32_t c : channels) {
        strOut += CharT(kHex[c >> 4]);
        strOut += CharT(kHex[c & 0xF]);
    }
}

// A list bullet (a middle dot and a tab, as the run reads once turned) is left out altogether.
template <typename CharT>
bool IsListBullet(const TextRun& run, std::basic_string_view<CharT> text) {
    if (text.size() != 2) return false;
    CharT turned[2] = {text[0], text[1]};
    if (run.bHebrew) ReverseRtlText(turned, 2);
    return turned[0] == kMiddleDotIn<CharT> && turned[1] == CharT('\t');
}

template <typename CharT>
constexpr bool IsMarkOrLineEnd(CharT ch) {
    return ch == kRightToLeftMarkIn<CharT> || ch == CharT('\r') || ch == CharT('\n');
}

// Copies text to pTo, back to front when bReverse, noting what it holds.
template <typename CharT>
RunTextFlags CopyRunText(CharT* pTo, std::basic_string_view<CharT> text, bool bReverse) {
    const size_t n = text.size();
    if constexpr (std::is_same_v<CharT, char8_t>) {
        if (n >= 16) return bReverse ? CopyReversedPlain(pTo, text.data(), n) : CopyPlain(pTo, text.data(), n);
        if (n >= 4) return CopyShortPlain(pTo, text.data(), n, bReverse);
    }
    bool bAscii = false;
    bool bMarkOrEnd = false;
    const CharT* pFrom = bReverse ? text.data() + n : text.data();
    for (size_t i = 0; i < n; ++i) {
        const CharT ch = bReverse ? *--pFrom : *pFrom++;
        bAscii |= ch < 0x80 && ch != U' ';
        bMarkOrEnd |= IsMarkOrLineEnd(ch);
        pTo[i] = ch;
    }
    return {bAscii, bMarkOrEnd, 0, SIZE_MAX};
}

// Writes the run's text in visual order at pTo, which has room for all of it, and returns how
// many characters it wrote: turned when it is right-to-left, without right-to-left marks and
// line ends. The run is copied (back to front when right-to-left) in one pass that also notes
// whether it holds any ASCII (a Latin word to turn back) or a mark or line end to leave out; a
// run of Hebrew words, the most common, needs nothing more.
template <typename CharT>
size_t WriteRunText(CharT* pTo, const TextRun& run, std::basic_string_view<CharT> text) {
    const size_t n = text.size();
    const RunTextFlags flags = CopyRunText(pTo, text, run.bHebrew);
    // Outside the stretch that holds ASCII there is no Latin word to turn.
    if (run.bHebrew && flags.bAscii) {
        const size_t nTo = std::min(flags.nAsciiTo, n);
        TurnRtlWordsBack(pTo + flags.nAsciiFrom, nTo - flags.nAsciiFrom);
    }
    if (!flags.bMarkOrEnd) return n;
    return static_cast<size_t>(std::remove_if(pTo, pTo + n, [](CharT ch) { return IsMarkOrLineEnd(ch); }) - pTo);
}

template <typename CharT>
void AppendRunText(std::basic_string<CharT>& strOut, const TextRun& run, std::basic_string_view<CharT> text) {
    const size_t nAt = strOut.size();
    strOut.resize(nAt + text.size());
    strOut.resize(nAt + WriteRunText(strOut.data() + nAt, run, text));
}

// Appends the runs' text in the given order, without tags. The runs cover the line's
// characters once each, so room for all of them is made at once.
template <typename CharT>
void AppendBareRuns(std::basic_string<CharT>& strOut, const std::vector<TextRun>& runs,
                    const std::vector<int32_t>& order, std::basic_string_view<CharT> text) {
    const size_t nAt = strOut.size();
    strOut.resize(nAt + static_cast<size_t>(runs.back().nStart + runs.back().nLength - runs.front().nStart));
    CharT* const pLine = strOut.data() + nAt;
    CharT* pTo = pLine;
    for (int32_t index : order) {
        if (index == kOrderSentinel) break;
        const TextRun& run = runs[static_cast<size_t>(index)];
        const auto runText = text.substr(static_cast<size_t>(run.nStart), static_cast<size_t>(run.nLength));
        if (!IsListBullet(run, runText)) pTo += WriteRunText(pTo, run, runText);
    }
    strOut.resize(nAt + static_cast<size_t>(pTo - pLine));
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

template <typename CharT>
void AppendOpeningTags(std::basic_string<CharT>& strOut, const TextRun& run, const RunTags& tags) {
    if (tags.bColor) {
        AppendAscii(strOut, "<FONT COLOR="sv);
        AppendColorDigits(strOut, run.crTextColor);
        strOut += CharT('>');
    }
    if (tags.bSize) {
        AppendAscii(strOut, "<FONT SIZE="sv);
        AppendDecimal(strOut, tags.nSize);
        strOut += CharT('>');
    }
    if (tags.bBold) AppendAscii(strOut, "<B>"sv);
    if (tags.bItalic) AppendAscii(strOut, "<I>"sv);
    if (tags.bUnderline) AppendAscii(strOut, "<U>"sv);
}

template <typename CharT>
void AppendClosingTags(std::basic_string<CharT>& strOut, const RunTags& tags) {
    if (tags.bUnderline) AppendAscii(strOut, "</U>"sv);
    if (tags.bItalic) AppendAscii(strOut, "</I>"sv);
    if (tags.bBold) AppendAscii(strOut, "</B>"sv);
    if (tags.bColor) AppendAscii(strOut, "</FONT>"sv);
    if (tags.bSize) AppendAscii(strOut, "</FONT>"sv);
}

}  // namespace

template <typename CharT>
void CConversionEngine::EmitRuns(BasicTextModel<CharT>& doc, const std::vector<TextRun>& runs,
                                 const std::vector<int32_t>& order, std::basic_string<CharT>& strOut, bool bHtml) {
    using StringView = std::basic_string_view<CharT>;
    // A line order is given Unicode text only; Windows-1255 text keeps the engine's own rules.
    ILineOrder* const pLineOrder = std::is_same_v<CharT, char32_t> ? m_pLineOrder : nullptr;
    const TextRun& first = runs[static_cast<size_t>(order.front())];
    doc.SetSel(first.nStart, first.nStart + first.nLength);
    const int32_t nCode = AlignmentCode(doc.GetSelParaFormat());
    const bool bBlock = bHtml && nCode != 0 && nCode != m_nOpenAlign;
    if (bBlock) {
        AppendAscii(strOut, "<DIV ALIGN="sv);
        AppendAlignWord(strOut, nCode);
        AppendAscii(strOut, "><NOBR>"sv);
    }
    strOut += Frame<CharT>().strOpen;
    const StringView text = doc.Text();
    auto appendText = [&](const TextRun& run, StringView runText) {
        if constexpr (std::is_same_v<CharT, char32_t>) {
            if (pLineOrder != nullptr) {
                pLineOrder->AppendRunText(strOut, run, runText);
                return;
            }
        }
        AppendRunText(strOut, run, runText);
    };
    auto isListBullet = [&](const TextRun& run, StringView runText) {
        if constexpr (std::is_same_v<CharT, char32_t>) {
            if (pLineOrder != nullptr) return pLineOrder->IsListBullet(run, runText);
        }
        return IsListBullet(run, runText);
    };
    if (!bHtml && pLineOrder == nullptr) {
        AppendBareRuns(strOut, runs, order, text);
    } else {
        for (int32_t index : order) {
            if (index == kOrderSentinel) break;
            const TextRun& run = runs[static_cast<size_t>(index)];
            const StringView runText = text.substr(static_cast<size_t>(run.nStart), static_cast<size_t>(run.nLength));
            if (isListBullet(run, runText)) continue;
            if (!bHtml) {
                appendText(run, runText);
                continue;
            }
            const RunTags tags = TagsOf(run);
            AppendOpeningTags(strOut, run, tags);
            appendText(run, runText);
            AppendClosingTags(strOut, tags);
        }
    }
    strOut += Frame<CharT>().strClose;
    AppendAscii(strOut, "<BR>"sv);
    if (bBlock) AppendAscii(strOut, kBlockCloseAscii);
    m_nLineAlign = nCode;
    // The control is left with the last run read selected; the empty-line rule reads it.
    const TextRun& last = runs[static_cast<size_t>(order[order.size() - 2])];
    doc.SetSelRaw(last.nStart, last.nStart + last.nLength);
}

template void CConversionEngine::EmitRuns(TextModel&, const std::vector<TextRun>&, const std::vector<int32_t>&,
                                          std::u32string&, bool);
template void CConversionEngine::EmitRuns(Cp1255TextModel&, const std::vector<TextRun>&, const std::vector<int32_t>&,
                                          std::u8string&, bool);

}  // namespace velmora
