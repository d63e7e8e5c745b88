#include "RtfListTable.h"

#include "RtfEastAsianNumbers.h"
#include "RtfNumberWords.h"
#include "Utf16Units.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace velmora {

namespace {

constexpr int32_t kMaxLevels = 9;
constexpr int32_t kBulletFormat = 23;
constexpr int32_t kNoNumberFormat = 255;
constexpr int32_t kDecimalLeadingZero = 22;
constexpr char32_t kBullet = U'\u2022';
constexpr char32_t kWhiteBullet = U'\u25E6';
constexpr char32_t kSmallSquare = U'\u25AA';

std::u32string Ascii(const std::string& str) { return std::u32string(str.begin(), str.end()); }

std::u32string Roman(int32_t nValue, bool bUpper) {
    if (nValue <= 0 || nValue >= 4000) return Ascii(std::to_string(nValue));
    static const std::pair<int32_t, const char*> kParts[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    std::string str;
    for (const auto& [nPart, szText] : kParts) {
        for (; nValue >= nPart; nValue -= nPart) str += szText;
    }
    if (bUpper) std::transform(str.begin(), str.end(), str.begin(), [](char c) { return char(c - 'a' + 'A'); });
    return Ascii(str);
}

// a..z, then aa..zz, aaa...: the letter repeats.
std::u32string Letters(int32_t nValue, char32_t chFirst) {
    if (nValue <= 0) return Ascii(std::to_string(nValue));
    const auto nRepeat = static_cast<size_t>((nValue - 1) / 26 + 1);
    return std::u32string(std::min<size_t>(nRepeat, 100), static_cast<char32_t>(chFirst + (nValue - 1) % 26));
}

std::u32string Ordinal(int32_t nValue) {
    const int32_t nLastTwo = nValue % 100;
    const int32_t nLast = nValue % 10;
    const char* szSuffix = (nLastTwo >= 11 && nLastTwo <= 13) ? "th"
                           : nLast == 1                       ? "st"
                           : nLast == 2                       ? "nd"
                           : nLast == 3                       ? "rd"
                                                              : "th";
    return Ascii(std::to_string(nValue) + szSuffix);
}

constexpr char32_t kHebrewLetters[] = U"אבגדהוזחטיכלמנסעפצקרשת";  // without final forms
constexpr char32_t kArabicLetters[] = U"أبتثجحخدذرزسشصضطظعغفقكلمنهوى";
constexpr char32_t kArabicAbjad[] = U"ابجدهوزحطيكلمنسعفصقرشتثخذضظغ";
constexpr char32_t kKoreanSyllables[] = U"가나다라마바사아자차카타파하";
constexpr char32_t kKoreanConsonants[] = U"ㄱㄴㄷㄹㅁㅂㅅㅇㅈㅊㅋㅌㅍㅎ";

// Hebrew numerals: hundreds, tens and units by letter value; 15 and 16 as ט"ו and ט"ז.
std::u32string HebrewNumeral(int32_t nValue) {
    if (nValue <= 0 || nValue >= 1000) return Ascii(std::to_string(nValue));
    std::u32string text;
    int32_t nRest = nValue;
    for (; nRest >= 400; nRest -= 400) text += U'ת';
    if (nRest >= 100) {
        text += kHebrewLetters[18 + nRest / 100 - 1];  // ק ר ש
        nRest %= 100;
    }
    if (nRest == 15 || nRest == 16) return text + U'ט' + (nRest == 15 ? U'ו' : U'ז');
    if (nRest >= 10) {
        text += kHebrewLetters[9 + nRest / 10 - 1];  // י כ ל מ נ ס ע פ צ
        nRest %= 10;
    }
    if (nRest > 0) text += kHebrewLetters[nRest - 1];
    return text;
}

// The number in another script's decimal digits (Devanagari, Thai).
std::u32string NativeDigits(int32_t nValue, std::u32string_view digits) {
    std::u32string text;
    for (const char c : std::to_string(nValue)) text += c == '-' ? U'-' : digits[static_cast<size_t>(c - '0')];
    return text;
}

// An alphabet as the digits of a number without zero: א..ת, then אא, אב...
template <size_t N>
std::u32string AlphabetDigits(int32_t nValue, const char32_t (&alphabet)[N]) {
    if (nValue <= 0) return Ascii(std::to_string(nValue));
    constexpr int64_t nLetters = N - 1;
    std::u32string text;
    for (int64_t n = nValue; n > 0; n = (n - 1) / nLetters) text.insert(text.begin(), alphabet[(n - 1) % nLetters]);
    return text;
}

// An alphabet that starts over after its last letter.
template <size_t N>
std::u32string AlphabetCycle(int32_t nValue, const char32_t (&alphabet)[N]) {
    if (nValue <= 0) return Ascii(std::to_string(nValue));
    return std::u32string(1, alphabet[(nValue - 1) % static_cast<int32_t>(N - 1)]);
}

}  // namespace

std::u32string FormatListNumber(int32_t nValue, int32_t nFormat) {
    switch (nFormat) {
    case 1: return Roman(nValue, true);
    case 2: return Roman(nValue, false);
    case 3: return Letters(nValue, U'A');
    case 4: return Letters(nValue, U'a');
    case 5: return Ordinal(nValue);
    case 6: return CardinalWords(nValue).value_or(Ascii(std::to_string(nValue)));
    case 7: return OrdinalWords(nValue).value_or(Ascii(std::to_string(nValue)));
    case 22: return nValue >= 0 && nValue < 10 ? U"0" + Ascii(std::to_string(nValue)) : Ascii(std::to_string(nValue));
    case 24: return AlphabetCycle(nValue, kKoreanSyllables);
    case 25: return AlphabetCycle(nValue, kKoreanConsonants);
    case 45: return HebrewNumeral(nValue);
    case 46: return AlphabetDigits(nValue, kArabicLetters);
    case 47: return AlphabetDigits(nValue, kHebrewLetters);
    case 48: return AlphabetDigits(nValue, kArabicAbjad);
    case 51: return NativeDigits(nValue, U"०१२३४५६७८९");
    case 54: return NativeDigits(nValue, U"๐๑๒๓๔๕๖๗๘๙");
    case 57: return U"- " + Ascii(std::to_string(nValue)) + U" -";
    case kBulletFormat: return std::u32string(1, kBullet);
    case kNoNumberFormat: return {};
    default: {
        std::optional<std::u32string> text = FormatEastAsianNumber(nValue, nFormat);
        return text ? std::move(*text) : Ascii(std::to_string(nValue));
    }
    }
}

// ------------------------------------------------------------------ the tables

void CRtfListTable::BeginList() {
    m_bInOverrides = false;
    m_lists.emplace_back();
}

void CRtfListTable::BeginLevel() {
    if (m_bInOverrides) {
        if (!m_overrides.empty() && !m_overrides.back().levels.empty()) m_overrides.back().levels.back().emplace();
        return;
    }
    if (m_lists.empty()) m_lists.emplace_back();
    if (m_lists.back().levels.size() < kMaxLevels) m_lists.back().levels.emplace_back();
}

CRtfListTable::Level* CRtfListTable::CurrentLevel() {
    if (m_bInOverrides) {
        if (m_overrides.empty() || m_overrides.back().levels.empty() || !m_overrides.back().levels.back())
            return nullptr;
        return &*m_overrides.back().levels.back();
    }
    if (m_lists.empty() || m_lists.back().levels.empty()) return nullptr;
    return &m_lists.back().levels.back();
}

void CRtfListTable::SetListId(int32_t nId) {
    if (m_lists.empty()) return;
    m_lists.back().nId = nId;
    m_listOfId.try_emplace(nId, m_lists.size() - 1);
}
void CRtfListTable::SetNumberFormat(int32_t nFormat) {
    if (Level* pLevel = CurrentLevel()) pLevel->nFormat = nFormat;
}
void CRtfListTable::SetStartAt(int32_t nStart) {
    if (Level* pLevel = CurrentLevel()) {
        pLevel->nStartAt = nStart;
    } else if (LevelStart* pStart = CurrentOverrideStart(); pStart != nullptr && pStart->bRestarts) {
        pStart->nStartAt = nStart;
    }
}
void CRtfListTable::SetFollow(int32_t nFollow) {
    if (Level* pLevel = CurrentLevel()) pLevel->nFollow = nFollow;
}
void CRtfListTable::SetLegal(bool bLegal) {
    if (Level* pLevel = CurrentLevel()) pLevel->bLegal = bLegal;
}
void CRtfListTable::SetNoRestart(bool bNoRestart) {
    if (Level* pLevel = CurrentLevel()) pLevel->bNoRestart = bNoRestart;
}
void CRtfListTable::SetLevelFont(int32_t nFont) {
    if (Level* pLevel = CurrentLevel()) pLevel->nFont = nFont;
}
void CRtfListTable::BeginLevelText() {
    if (Level* pLevel = CurrentLevel()) pLevel->text.clear();
}
void CRtfListTable::AddLevelTextByte(uint8_t byte) {
    Level* pLevel = CurrentLevel();
    if (pLevel && pLevel->text.size() < 256) pLevel->text.push_back({byte, true});
}
void CRtfListTable::AddLevelTextChar(char32_t ch) {
    Level* pLevel = CurrentLevel();
    // A character beyond the first plane comes as two surrogates.
    if (pLevel && IsLowSurrogate(ch) && !pLevel->text.empty() && !pLevel->text.back().bByte &&
        IsHighSurrogate(pLevel->text.back().value)) {
        pLevel->text.back().value = JoinSurrogates(pLevel->text.back().value, ch);
        return;
    }
    if (pLevel && pLevel->text.size() < 256) pLevel->text.push_back({ch, false});
}
void CRtfListTable::AddLevelNumber(uint8_t nPosition) {
    Level* pLevel = CurrentLevel();
    if (pLevel && pLevel->numbers.size() < kMaxLevels) pLevel->numbers.push_back(nPosition);
}

void CRtfListTable::BeginOverride() {
    m_bInOverrides = true;
    m_overrides.emplace_back();
    m_nOverrideLs = -1;
    m_nOverrideId = 0;
}
void CRtfListTable::BeginOverrideLevel() {
    if (m_bInOverrides && !m_overrides.empty() && m_overrides.back().levels.size() < kMaxLevels) {
        m_overrides.back().levels.emplace_back();
        m_overrides.back().starts.emplace_back();
    }
}
// The \lfolevel being read, while no level of its own is begun in it.
CRtfListTable::LevelStart* CRtfListTable::CurrentOverrideStart() {
    if (!m_bInOverrides || m_overrides.empty() || m_overrides.back().starts.empty() || m_overrides.back().levels.back())
        return nullptr;
    return &m_overrides.back().starts.back();
}
void CRtfListTable::SetOverrideRestarts() {
    if (LevelStart* pStart = CurrentOverrideStart()) pStart->bRestarts = true;
}
void CRtfListTable::SetOverrideListId(int32_t nId) {
    m_nOverrideId = nId;
    KeepOverride();
}
void CRtfListTable::SetOverrideIndex(int32_t nLs) {
    m_nOverrideLs = nLs;
    KeepOverride();
}
void CRtfListTable::KeepOverride() {
    if (m_nOverrideLs < 0 || m_nOverrideId == 0) return;
    m_idOfOverride[m_nOverrideLs] = m_nOverrideId;
    if (!m_overrides.empty()) m_overrideOfLs[m_nOverrideLs] = m_overrides.size() - 1;
}

// ------------------------------------------------------------------ labels

// The level's text with each double-byte character as one unit (the length stays the first).
std::vector<CRtfListTable::TextUnit> CRtfListTable::JoinPairs(const Level& level, const PairDecoder& decodePair) {
    std::vector<TextUnit> units(level.text.begin(), level.text.begin() + 1);
    for (size_t i = 1; i < level.text.size(); ++i) {
        const TextUnit& unit = level.text[i];
        if (unit.bByte && i + 1 < level.text.size() && level.text[i + 1].bByte) {
            const char32_t ch = decodePair(level.nFont, static_cast<uint8_t>(unit.value),
                                           static_cast<uint8_t>(level.text[i + 1].value));
            if (ch != 0) {
                units.push_back({ch, false});
                ++i;
                continue;
            }
        }
        units.push_back(unit);
    }
    return units;
}

const CRtfListTable::List* CRtfListTable::FindList(int32_t nLs) const {
    const auto itId = m_idOfOverride.find(nLs);
    if (itId == m_idOfOverride.end()) return nullptr;
    const auto itList = m_listOfId.find(itId->second);
    if (itList == m_listOfId.end() || m_lists[itList->second].levels.empty()) return nullptr;
    return &m_lists[itList->second];
}

// The list as the paragraphs of override nLs see it: a level the override redefines (Word writes
// one when a list restarts in another format) replaces the list's own. merged holds the copy.
const CRtfListTable::List& CRtfListTable::WithOverriddenLevels(const List& list, int32_t nLs, List& merged) const {
    const auto it = m_overrideOfLs.find(nLs);
    if (it == m_overrideOfLs.end()) return list;
    const Override& override = m_overrides[it->second];
    const std::vector<std::optional<Level>>& levels = override.levels;
    const bool bStarts = std::any_of(override.starts.begin(), override.starts.end(),
                                     [](const LevelStart& start) { return start.nStartAt.has_value(); });
    if (!bStarts &&
        std::none_of(levels.begin(), levels.end(), [](const std::optional<Level>& level) { return level.has_value(); }))
        return list;
    merged = list;
    for (size_t i = 0; i < std::min(levels.size(), merged.levels.size()); ++i) {
        if (levels[i]) merged.levels[i] = *levels[i];
        if (override.starts[i].nStartAt) merged.levels[i].nStartAt = *override.starts[i].nStartAt;
    }
    return merged;
}

// Word restarts a list where its writer asked for it ("Restart numbering") with an override whose
// levels restart: the first paragraph of that override starts those levels again.
void CRtfListTable::RestartOverriddenLevels(int32_t nLs, Counters& counters) {
    const auto it = m_overrideOfLs.find(nLs);
    if (it == m_overrideOfLs.end() || std::exchange(m_overrides[it->second].bUsed, true)) return;
    const std::vector<LevelStart>& starts = m_overrides[it->second].starts;
    for (size_t i = 0; i < std::min(starts.size(), static_cast<size_t>(kMaxLevels)); ++i) {
        if (starts[i].bRestarts) counters.bStarted[i] = false;
    }
}

std::optional<std::u32string> CRtfListTable::NextLabel(int32_t nLs, int32_t nLevel, const ByteDecoder& decodeByte,
                                                       const PairDecoder& decodePair) {
    const List* pFound = FindList(nLs);
    if (pFound == nullptr) return std::nullopt;
    List merged;
    const List* pList = &WithOverriddenLevels(*pFound, nLs, merged);
    const size_t iLevel =
        std::min(static_cast<size_t>(std::clamp(nLevel, 0, kMaxLevels - 1)), pList->levels.size() - 1);
    const Level& level = pList->levels[iLevel];

    Counters& counters = m_counters[pList->nId];
    RestartOverriddenLevels(nLs, counters);
    counters.values[iLevel] = counters.bStarted[iLevel] ? counters.values[iLevel] + 1 : level.nStartAt;
    counters.bStarted[iLevel] = true;
    // A level below restarts, unless it counts on across its higher levels' items.
    for (size_t i = iLevel + 1; i < kMaxLevels; ++i) {
        if (i >= pList->levels.size() || !pList->levels[i].bNoRestart) counters.bStarted[i] = false;
    }

    std::u32string label = LevelText(*pList, level, counters, decodeByte, decodePair);
    if (level.nFollow == 0) label += U'\t';
    if (level.nFollow == 1) label += U' ';
    return label;
}

// The level's text with its placeholders filled. Its first unit is its length; a placeholder
// holds the number of the level whose count goes there. Both count characters, so that the two
// bytes of a double-byte character count once.
std::u32string CRtfListTable::LevelText(const List& list, const Level& level, const Counters& counters,
                                        const ByteDecoder& decodeByte, const PairDecoder& decodePair) const {
    if (level.nFormat == kBulletFormat) {
        // Whatever picture or character a level names (Symbol's dot, Google's black circle, a star),
        // its text is the bullet of its level, as a text export writes lists: the dot, the white
        // bullet and the small square in turn. A page in Windows-1255 can hold the first level's dot.
        static constexpr char32_t kLevelBullets[] = {kBullet, kWhiteBullet, kSmallSquare};
        return std::u32string(1, kLevelBullets[static_cast<size_t>(&level - list.levels.data()) % 3]);
    }
    if (level.text.empty()) return FormatListNumber(counters.values[&level - list.levels.data()], level.nFormat);
    const std::vector<TextUnit> units = decodePair ? JoinPairs(level, decodePair) : level.text;
    const size_t nLength = std::min(units.size() - 1, static_cast<size_t>(units[0].value));
    const auto iOwn = static_cast<size_t>(&level - list.levels.data());
    std::u32string text;
    for (size_t i = 1; i <= nLength; ++i) {
        const TextUnit& unit = units[i];
        const bool bPlaceholder = level.numbers.empty()
                                      ? unit.bByte && unit.value < kMaxLevels
                                      : std::find(level.numbers.begin(), level.numbers.end(), i) != level.numbers.end();
        if (bPlaceholder && unit.value < static_cast<char32_t>(kMaxLevels)) {
            // A label counts its own level and the levels above it. A placeholder naming a deeper
            // level, or one the list lacks, stands for the item's own count: TextEdit writes every
            // level's text as "\'02\'05." whatever the level, and shows "1)" there.
            const auto iOther = std::min(static_cast<size_t>(unit.value), iOwn);
            const Level& other = list.levels[iOther];
            const int32_t nValue = counters.bStarted[iOther] ? counters.values[iOther] : other.nStartAt;
            // A legal level shows every level's number in digits (1.01 under chapter I); numbers
            // already in digits, with a leading zero or not, stay as their level writes them.
            const bool bDigits =
                level.bLegal && other.nFormat != kNoNumberFormat && other.nFormat != kDecimalLeadingZero;
            text += FormatListNumber(nValue, bDigits ? 0 : other.nFormat);
        } else if (unit.bByte) {
            const char32_t ch = decodeByte(level.nFont, static_cast<uint8_t>(unit.value));
            if (ch != 0 && ch != kSymbolPicture) text += ch;
        } else {
            text += unit.value;
        }
    }
    return text;
}

}  // namespace velmora
