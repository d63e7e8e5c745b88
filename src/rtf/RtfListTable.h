#pragma once
// The lists of an RTF document (\listtable and \listoverridetable) and the labels they give the
// paragraphs that belong to them: "1.", "iv)", "א.", "2.3.", a bullet. Numbers count per list,
// across the list's overrides and the paragraphs between its items; an item restarts every
// level below its own.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace velmora {

// What a byte of a symbol font (Symbol, Wingdings) decodes to in a label: a picture, not a letter.
inline constexpr char32_t kSymbolPicture = U'\uF000';

class CRtfListTable {
public:
    // --- Filled from \listtable, in document order. ---
    void BeginList();                        // \list
    void BeginLevel();                       // \listlevel
    void SetListId(int32_t nId);             // \listid
    void SetNumberFormat(int32_t nFormat);   // \levelnfc
    void SetStartAt(int32_t nStart);         // \levelstartat
    void SetFollow(int32_t nFollow);         // \levelfollow: 0 tab, 1 blank, 2 nothing
    void SetLegal(bool bLegal);              // \levellegal: every number of the label in digits
    void SetNoRestart(bool bNoRestart);      // \levelnorestart: counts on when a higher level counts
    void SetLevelFont(int32_t nFont);        // \f inside a level: the font of its bullet
    void BeginLevelText();                   // {\leveltext
    void AddLevelTextByte(uint8_t byte);     // a byte of \leveltext (its length, a placeholder, a character)
    void AddLevelTextChar(char32_t ch);      // a \uN of \leveltext
    void AddLevelNumber(uint8_t nPosition);  // a byte of \levelnumbers

    // --- Filled from \listoverridetable. ---
    void BeginOverride();                 // \listoverride
    void SetOverrideListId(int32_t nId);  // its \listid
    void SetOverrideIndex(int32_t nLs);   // its \ls
    // \lfolevel: the override's next level. A \listlevel inside it (with \listoverrideformat)
    // replaces that level of the list for the override's paragraphs; the words above fill it.
    void BeginOverrideLevel();
    // \listoverridestartat in an \lfolevel: the override's first paragraph restarts that level, at
    // the \levelstartat that follows in the \lfolevel, or at the level's own start.
    void SetOverrideRestarts();

    // The override table has an override numbered nLs.
    bool HasOverride(int32_t nLs) const { return m_idOfOverride.contains(nLs); }

    // The label of the next paragraph of list \ls nLs at level nLevel, with what follows it (a tab,
    // a blank or nothing), and counts that paragraph. nullopt when the tables hold no such list.
    // decodeByte gives the character of a level text byte in the level's font (0: none), and
    // kSymbolPicture for a byte of a symbol font; decodePair the character of two bytes that make
    // one in a double-byte font, 0 when the first leads no such pair.
    using ByteDecoder = std::function<char32_t(int32_t nFont, uint8_t byte)>;
    using PairDecoder = std::function<char32_t(int32_t nFont, uint8_t lead, uint8_t trail)>;
    std::optional<std::u32string> NextLabel(int32_t nLs, int32_t nLevel, const ByteDecoder& decodeByte,
                                            const PairDecoder& decodePair = {});

private:
    struct TextUnit {
        char32_t value;
        bool bByte;  // a byte to decode in the level's font, or a character given as \uN
    };
    struct Level {
        int32_t nFormat = 0;
        int32_t nStartAt = 1;
        int32_t nFollow = 0;
        int32_t nFont = -1;
        bool bLegal = false;
        bool bNoRestart = false;
        std::vector<TextUnit> text;
        std::vector<uint8_t> numbers;  // positions of the placeholders in text
    };
    struct List {
        int32_t nId = 0;
        std::vector<Level> levels;
    };
    struct LevelStart {
        bool bRestarts = false;
        std::optional<int32_t> nStartAt;  // the start it restarts at, else the level's own
    };
    struct Override {
        std::vector<std::optional<Level>> levels;  // by level; empty: the list's own
        std::vector<LevelStart> starts;            // by level
        bool bUsed = false;                        // a paragraph of it was numbered
    };
    struct Counters {
        int32_t values[9] = {};
        bool bStarted[9] = {};
    };

    Level* CurrentLevel();
    LevelStart* CurrentOverrideStart();
    void RestartOverriddenLevels(int32_t nLs, Counters& counters);
    static std::vector<TextUnit> JoinPairs(const Level& level, const PairDecoder& decodePair);
    const List* FindList(int32_t nLs) const;
    const List& WithOverriddenLevels(const List& list, int32_t nLs, List& merged) const;
    void KeepOverride();
    std::u32string LevelText(const List& list, const Level& level, const Counters& counters,
                             const ByteDecoder& decodeByte, const PairDecoder& decodePair) const;

    std::vector<List> m_lists;
    std::unordered_map<int32_t, size_t> m_listOfId;  // \listid -> its (first) list in m_lists
    // The override being read, and every override's list: \ls -> \listid.
    int32_t m_nOverrideLs = -1;  // none given yet
    int32_t m_nOverrideId = 0;
    std::unordered_map<int32_t, int32_t> m_idOfOverride;
    std::vector<Override> m_overrides;                   // in document order
    std::unordered_map<int32_t, size_t> m_overrideOfLs;  // \ls -> its override
    bool m_bInOverrides = false;                         // level words belong to an override
    std::unordered_map<int32_t, Counters> m_counters;  // per \listid
};

// A number in a list numbering format (\levelnfc): 0 decimal, 1 and 2 upper and lower roman, 3
// and 4 upper and lower letters (aa, bb after z), 5 ordinal, 6 and 7 in English words (Twenty-one,
// Twenty-first), 22 two digits, 24 and 25 Korean
// syllables and consonants (starting over after the 14th), 45 Hebrew numerals (יא, טו), 46 Arabic
// letters in order (أأ after ى), 47 Hebrew letters in order (אא after ת), 48 Arabic letters in
// abjad order, 51 and 54 Devanagari and Thai digits, 57 "- 1 -", 255 none, the East Asian
// formats (RtfEastAsianNumbers.h); any other format in decimal.
std::u32string FormatListNumber(int32_t nValue, int32_t nFormat);

}  // namespace velmora
