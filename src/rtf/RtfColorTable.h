#pragma once
// The colour table of an RTF document: entries in order, each automatic or an explicit colour.

#include <cstdint>
#include <string_view>
#include <vector>

namespace velmora {

class CRtfColorTable {
public:
    // --- Filled from the \colortbl destination. ---
    void SetRed(int32_t n) { SetComponent(0, n); }
    void SetGreen(int32_t n) { SetComponent(8, n); }
    void SetBlue(int32_t n) { SetComponent(16, n); }
    // Text inside the table: every ';' ends an entry; an entry without \red, \green or \blue is
    // automatic.
    void OnText(std::string_view text);
    // The end of the table: a last entry that lacks its ';' still counts.
    void EndTable();

    // The colour \cfN asks for: false for automatic (index 0, an empty entry, or an index the
    // table does not have), else true with crColor as 0x00BBGGRR.
    bool Lookup(int32_t nIndex, uint32_t& crColor) const;

private:
    static constexpr uint32_t kAuto = 0xFFFFFFFFu;

    void SetComponent(int nShift, int32_t n);
    void EndEntry();

    std::vector<uint32_t> m_entries;
    uint32_t m_crPending = 0;
    bool m_bPendingSet = false;
};

}  // namespace velmora
