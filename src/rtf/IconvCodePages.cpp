#include "IconvCodePages.h"

#include "CodePages.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include <map>
#include <mutex>
#include <string>

namespace velmora {

namespace {

// iconv's names for a code page: Windows' own numbers first ("CP932"), then the names glibc
// knows the Mac and a few other pages by.
std::vector<std::string> IconvNames(int32_t nCodePage) {
    std::vector<std::string> names;
    switch (nCodePage) {
    case 708: names = {"ASMO-708"}; break;
    case 1361: names = {"JOHAB"}; break;
    case 10000: names = {"MACINTOSH"}; break;
    case 10001: names = {"CP932", "SHIFT_JIS"}; break;  // Mac Japanese is Shift JIS
    case 10002: names = {"CP950", "BIG5"}; break;
    case 10003: names = {"CP949", "EUC-KR"}; break;
    case 10007: names = {"MAC-CYRILLIC"}; break;
    case 10008: names = {"CP936", "EUC-CN"}; break;
    case 10017: names = {"MACUKRAINIAN"}; break;
    case 10029: names = {"MAC-CENTRALEUROPE"}; break;
    case 10079: names = {"MAC-IS"}; break;
    case 20127: names = {"ASCII"}; break;
    case 20866: names = {"KOI8-R"}; break;
    case 21866: names = {"KOI8-U"}; break;
    case 28591: names = {"ISO-8859-1"}; break;
    default: break;
    }
    if (nCodePage >= 28592 && nCodePage <= 28605) names.push_back("ISO-8859-" + std::to_string(nCodePage - 28590));
    // The DOS and East Asian pages go by their numbers. Only the numbers Windows gives code pages
    // are asked for, so that a file naming thousands of others costs no more than a look-up each.
    const bool bNumbered = (nCodePage >= 437 && nCodePage <= 1258) || nCodePage == 1361;
    if (bNumbered) names.push_back("CP" + std::to_string(nCodePage));
    return names;
}

// One iconv conversion to UTF-32, opened for the length of a probe.
class CIconv {
public:
    explicit CIconv(int32_t nCodePage) {
        for (const std::string& strName : IconvNames(nCodePage)) {
            m_cd = ::iconv_open("UTF-32BE", strName.c_str());
            if (m_cd != reinterpret_cast<iconv_t>(-1)) return;
        }
    }
    ~CIconv() {
        if (IsOpen()) ::iconv_close(m_cd);
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;

    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    enum class Result {
        Char,
        Incomplete,
        Invalid
    };
    // Converts exactly the bytes given into one character.
    Result Decode(const char* pBytes, size_t nBytes, char32_t& ch) {
        ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state
        char* pIn = const_cast<char*>(pBytes);
        size_t nIn = nBytes;
        unsigned char out[16];
        char* pOut = reinterpret_cast<char*>(out);
        size_t nOut = sizeof out;
        const size_t nDone = ::iconv(m_cd, &pIn, &nIn, &pOut, &nOut);
        const size_t nWritten = sizeof out - nOut;
        if (nDone == static_cast<size_t>(-1) && nIn > 0 && nWritten == 0) {
            return errno == EINVAL ? Result::Incomplete : Result::Invalid;
        }
        if (nIn > 0 || nWritten != 4) return Result::Invalid;  // not one character of these bytes
        ch = (char32_t{out[0]} << 24) | (char32_t{out[1]} << 16) | (char32_t{out[2]} << 8) | out[3];
        return Result::Char;
    }

private:
    iconv_t m_cd = reinterpret_cast<iconv_t>(-1);
};

// An area of a Chinese or Korean page that Windows keeps for the user's own characters, read as
// consecutive private-use characters: row by row from first to last, over the page's trail bytes
// from trailLow to trailHigh. The C library defines none of them.
struct UserDefinedArea {
    uint16_t first;
    uint16_t last;
    uint8_t trailLow;
    uint8_t trailHigh;
    char32_t chFirst;
};

std::vector<UserDefinedArea> UserDefinedAreas(int32_t nCodePage) {
    switch (nCodePage) {
    case 936:
        return {{0xAAA1, 0xAFFE, 0xA1, 0xFE, 0xE000},
                {0xF8A1, 0xFEFE, 0xA1, 0xFE, 0xE234},
                {0xA140, 0xA7A0, 0x40, 0xA0, 0xE4C6}};
    case 949: return {{0xC9A1, 0xC9FE, 0xA1, 0xFE, 0xE000}, {0xFEA1, 0xFEFE, 0xA1, 0xFE, 0xE05E}};
    case 950:
        return {{0xFA40, 0xFEFE, 0x40, 0xFE, 0xE000},
                {0x8E40, 0xA0FE, 0x40, 0xFE, 0xE311},
                {0x8140, 0x8DFE, 0x40, 0xFE, 0xEEB8},
                {0xC6A1, 0xC8FE, 0x40, 0xFE, 0xF6B1}};
    default: return {};
    }
}

struct ProbedPage {
    std::vector<char32_t> upperHalf;  // single-byte pages
    std::unique_ptr<CDoubleByteCodePage> pDoubleByte;
};

}  // namespace

class CDoubleByteBuilder {
public:
    static std::unique_ptr<CDoubleByteCodePage> Build(CIconv& conv, int32_t nCodePage, const bool (&bLead)[256],
                                                      const char32_t (&single)[256]) {
        auto pPage = std::make_unique<CDoubleByteCodePage>();
        const std::vector<UserDefinedArea> areas = UserDefinedAreas(nCodePage);
        size_t nRows = 1;  // row 0: no lead byte, all undefined
        for (int b = 0; b < 256; ++b) {
            // Windows leads the user's own characters with bytes the C library takes for no lead.
            pPage->m_bLead[b] = bLead[b] || std::any_of(areas.begin(), areas.end(), [b](const UserDefinedArea& area) {
                                    return b >= area.first >> 8 && b <= area.last >> 8;
                                });
            pPage->m_single[b] = single[b];
            if (pPage->m_bLead[b]) pPage->m_nLeadIndex[b] = static_cast<uint8_t>(nRows++);
        }
        pPage->m_pairs.assign(nRows * 256, 0);
        for (int lead = 0; lead < 256; ++lead) {
            if (!pPage->m_bLead[lead]) continue;
            for (int trail = 0x20; trail < 256; ++trail) {
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                char32_t ch = 0;
                if (conv.Decode(pair, 2, ch) != CIconv::Result::Char) continue;
                pPage->m_pairs[Cell(*pPage, lead, trail)] = ch;
                pPage->m_bTrail[trail] = true;
            }
        }
        for (const UserDefinedArea& area : areas) AddUserDefinedArea(*pPage, area);
        return pPage;
    }

private:
    static size_t Cell(const CDoubleByteCodePage& page, int lead, int trail) {
        return size_t{page.m_nLeadIndex[lead]} * 256 + static_cast<size_t>(trail);
    }

    static void AddUserDefinedArea(CDoubleByteCodePage& page, const UserDefinedArea& area) {
        char32_t ch = area.chFirst;
        for (int lead = area.first >> 8; lead <= area.last >> 8; ++lead) {
            for (int trail = area.trailLow; trail <= area.trailHigh; ++trail) {
                const int pair = lead << 8 | trail;
                if (!page.m_bTrail[trail] || pair < area.first || pair > area.last) continue;
                char32_t& cell = page.m_pairs[Cell(page, lead, trail)];
                if (cell == 0) cell = ch;
                ++ch;
            }
        }
    }
};

namespace {

ProbedPage ProbePage(int32_t nCodePage) {
    ProbedPage page;
    CIconv conv(nCodePage);
    if (!conv.IsOpen()) return page;
    bool bLead[256] = {};
    char32_t single[256] = {};
    bool bAnyLead = false;
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        char32_t ch = 0;
        switch (conv.Decode(&byte, 1, ch)) {
        case CIconv::Result::Char: single[b] = ch; break;
        case CIconv::Result::Incomplete: bLead[b] = bAnyLead = true; break;
        case CIconv::Result::Invalid: break;
        }
    }
    // Only pages that keep ASCII letters and digits as they are can stand in the place of a
    // Windows page (Johab and Shift JIS put currency signs at 0x5C, DOS Arabic its own percent
    // sign at 0x25, which is fine).
    for (int b = 0x20; b < 0x7F; ++b) {
        const bool bLetterOrDigit = (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
        if (bLetterOrDigit && single[b] != static_cast<char32_t>(b)) return page;
    }
    if (bAnyLead) {
        page.pDoubleByte = CDoubleByteBuilder::Build(conv, nCodePage, bLead, single);
    } else {
        page.upperHalf.assign(single + 0x80, single + 0x100);
    }
    return page;
}

}  // namespace

CodePageDecoder FindCodePageDecoder(int32_t nCodePage) {
    if (nCodePage <= 0 || nCodePage > 0xFFFF) return {};
    if (const char32_t* pHalf = CodePageUpperHalf(static_cast<uint16_t>(nCodePage))) return {pHalf, nullptr};
    if (nCodePage == CP_UTF_8) return {nullptr, nullptr, true};
    static std::mutex s_mutex;
    static std::map<int32_t, ProbedPage> s_pages;
    const std::lock_guard lock(s_mutex);
    auto it = s_pages.find(nCodePage);
    if (it == s_pages.end()) it = s_pages.emplace(nCodePage, ProbePage(nCodePage)).first;
    const ProbedPage& page = it->second;
    return {page.upperHalf.empty() ? nullptr : page.upperHalf.data(), page.pDoubleByte.get()};
}

uint16_t CodePageOfRtfCharset(int32_t nCharset) {
    switch (nCharset) {
    case 77: return 10000;  // Mac Roman
    case 78: return 10001;  // Mac Japanese
    case 79: return 10003;  // Mac Korean
    case 80: return 10008;  // Mac Simplified Chinese
    case 81: return 10002;  // Mac Traditional Chinese
    case 89: return 10007;  // Mac Cyrillic
    case 128: return 932;   // Shift JIS
    case 129: return 949;   // Hangul
    case 130: return 1361;  // Johab
    case 134: return 936;   // GB2312 / GBK
    case 136: return 950;   // Big5
    case 254: return 437;   // PC 437
    case 255: return 437;   // OEM
    default: return CodePageOfCharset(nCharset);
    }
}

}  // namespace velmora
