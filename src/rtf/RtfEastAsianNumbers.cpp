#include "RtfEastAsianNumbers.h"

#include <string_view>

namespace velmora {

namespace {

constexpr int32_t kMaxCounted = 99999;

// Digits one to nine, then the units ten, hundred, thousand, ten thousand.
struct Numerals {
    std::u32string_view digits;  // "0123456789" in the script
    std::u32string_view units;   // 10, 100, 1000, 10000
    bool bOneBeforeTen;          // 10 as "一十" rather than "十" (financial numerals)
};

constexpr Numerals kChinese{U"零一二三四五六七八九", U"十百千万", false};
constexpr Numerals kTraditionalFinancial{U"零壹貳參肆伍陸柒捌玖", U"拾佰仟萬", true};
constexpr Numerals kSimplifiedFinancial{U"零壹贰叁肆伍陆柒捌玖", U"拾佰仟万", true};
constexpr Numerals kSinoKorean{U"영일이삼사오육칠팔구", U"십백천만", false};
// Japanese legal numerals, digit by digit as they are read out on forms (壱零 for 10).
constexpr std::u32string_view kJapaneseLegalDigits = U"零壱弐参四伍六七八九";

// Korean native counting (하나, 열둘, 아흔아홉) up to 99; from 100 on the Sino-Korean count (백일).
std::u32string KoreanNative(int32_t nValue) {
    static constexpr std::u32string_view kUnits[] = {U"",     U"하나", U"둘",   U"셋",   U"넷",
                                                     U"다섯", U"여섯", U"일곱", U"여덟", U"아홉"};
    static constexpr std::u32string_view kTens[] = {U"",   U"열",   U"스물", U"서른", U"마흔",
                                                    U"쉰", U"예순", U"일흔", U"여든", U"아흔"};
    return std::u32string(kTens[nValue / 10]) + std::u32string(kUnits[nValue % 10]);
}

// Counting: 十一, 二十, 一百, 一百零五. Korean leaves out zeros and the one before a unit (백, 십일).
std::u32string Counted(int32_t nValue, const Numerals& numerals, bool bKorean) {
    std::u32string text;
    bool bZeroPending = false;
    for (int nUnit = 4, nDivisor = 10000; nUnit >= 0; --nUnit, nDivisor /= 10) {
        const int32_t nDigit = nValue / nDivisor % 10;
        if (nDigit == 0) {
            bZeroPending = !text.empty();
            continue;
        }
        if (bZeroPending && !bKorean) text += numerals.digits[0];
        bZeroPending = false;
        const bool bLeadingTen = nUnit == 1 && text.empty() && !numerals.bOneBeforeTen;
        const bool bBareUnit = bKorean && nUnit > 0;
        if (nDigit != 1 || !(bLeadingTen || bBareUnit)) text += numerals.digits[static_cast<size_t>(nDigit)];
        if (nUnit > 0) text += numerals.units[static_cast<size_t>(nUnit - 1)];
    }
    return text;
}

// Digit by digit: 一零 for 10.
std::u32string DigitByDigit(int32_t nValue, std::u32string_view digits) {
    std::u32string text;
    for (const char c : std::to_string(nValue)) text += digits[static_cast<size_t>(c - '0')];
    return text;
}

// A sequence that starts over after its last entry.
std::u32string Cycled(int32_t nValue, std::u32string_view sequence) {
    return std::u32string(1, sequence[static_cast<size_t>(nValue - 1) % sequence.size()]);
}

constexpr std::u32string_view kAiueo =
    U"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン";
constexpr std::u32string_view kAiueoHalfWidth = U"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝ";
constexpr std::u32string_view kIroha =
    U"イロハニホヘトチリヌルヲワカヨタレソツネナラムウヰノオクヤマケフコエテアサキユメミシヱヒモセスン";
// ヰ and ヱ have no half-width forms.
constexpr std::u32string_view kIrohaHalfWidth = U"ｲﾛﾊﾆﾎﾍﾄﾁﾘﾇﾙｦﾜｶﾖﾀﾚｿﾂﾈﾅﾗﾑｳヰﾉｵｸﾔﾏｹﾌｺｴﾃｱｻｷﾕﾒﾐｼヱﾋﾓｾｽﾝ";
constexpr std::u32string_view kHeavenlyStems = U"甲乙丙丁戊己庚辛壬癸";
constexpr std::u32string_view kEarthlyBranches = U"子丑寅卯辰巳午未申酉戌亥";

// ①..⑳, ㉑..㉟, ㊱..㊿.
std::optional<std::u32string> Circled(int32_t nValue) {
    if (nValue >= 1 && nValue <= 20) return std::u32string(1, static_cast<char32_t>(0x2460 + nValue - 1));
    if (nValue >= 21 && nValue <= 35) return std::u32string(1, static_cast<char32_t>(0x3251 + nValue - 21));
    if (nValue >= 36 && nValue <= 50) return std::u32string(1, static_cast<char32_t>(0x32B1 + nValue - 36));
    return std::nullopt;
}

}  // namespace

std::optional<std::u32string> FormatEastAsianNumber(int32_t nValue, int32_t nFormat) {
    if (nValue <= 0) return std::nullopt;
    const bool bCountable = nValue <= kMaxCounted;
    switch (nFormat) {
    case 10:
    case 11:
    case 33:
    case 35:
    case 37:
    case 39:
        if (bCountable) return Counted(nValue, kChinese, false);
        break;
    case 12: return Cycled(nValue, kAiueoHalfWidth);
    case 16: return DigitByDigit(nValue, kJapaneseLegalDigits);
    case 13: return Cycled(nValue, kIrohaHalfWidth);
    case 18:
    case 28:
    case 29: return Circled(nValue);
    case 20: return Cycled(nValue, kAiueo);
    case 21: return Cycled(nValue, kIroha);
    case 30:
        if (nValue <= static_cast<int32_t>(kHeavenlyStems.size())) return Cycled(nValue, kHeavenlyStems);
        break;
    case 31:
        if (nValue <= static_cast<int32_t>(kEarthlyBranches.size())) return Cycled(nValue, kEarthlyBranches);
        break;
    case 34:
        if (bCountable) return Counted(nValue, kTraditionalFinancial, false);
        break;
    case 38:
        if (bCountable) return Counted(nValue, kSimplifiedFinancial, false);
        break;
    case 41: return DigitByDigit(nValue, kSinoKorean.digits);
    case 42:
        if (bCountable) return Counted(nValue, kSinoKorean, true);
        break;
    case 43:
        if (nValue < 100) return KoreanNative(nValue);
        if (bCountable) return Counted(nValue, kSinoKorean, true);
        break;
    case 44: return DigitByDigit(nValue, kChinese.digits);
    default: break;
    }
    return std::nullopt;
}

}  // namespace velmora
