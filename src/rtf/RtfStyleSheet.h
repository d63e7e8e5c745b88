#pragma once
// The list that a paragraph style numbers its paragraphs with (\sN entries of \stylesheet that
// hold \ls and \ilvl, or inherit them through \sbasedon): Word's "List Number" and numbered
// heading styles number a paragraph that names the style and has no \ls of its own.

#include <cstdint>
#include <unordered_map>

namespace velmora {

class CRtfStyleSheet {
public:
    // --- Filled from \stylesheet, one entry at a time. ---
    void SetStyle(int32_t nStyle);      // \s (an entry without one is style 0, Normal)
    void SetList(int32_t nLs);          // \ls
    void SetListLevel(int32_t nLevel);  // \ilvl
    void SetBasedOn(int32_t nStyle);    // \sbasedon
    void MarkOtherKind();               // \cs, \ds, \ts: a style of characters, sections or tables
    void EndEntry();                    // ';' or the entry's '}'

    // The list and level paragraph style nStyle gives its paragraphs, each -1 where the style
    // (and those it is based on) says nothing; a list of 0 (\ls0) is none.
    struct StyleList {
        int32_t nList = -1;
        int32_t nLevel = -1;
    };
    StyleList ListOf(int32_t nStyle) const;

private:
    struct Entry {
        int32_t nList = -1;  // -1: the entry does not say
        int32_t nLevel = -1;
        int32_t nBasedOn = -1;
    };
    Entry m_pending;
    int32_t m_nPendingStyle = 0;
    bool m_bPending = false;
    bool m_bOtherKind = false;
    std::unordered_map<int32_t, Entry> m_entries;
};

}  // namespace velmora
