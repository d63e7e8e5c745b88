#pragma once
// Numbers the character formats the RTF reader hands on (KeyedCharFormat), so that its paragraph
// and its sink tell formats apart by number rather than by comparing them run by run. A format
// is numbered once, when the reader resolves a group's properties afresh.

#include "CharFormat.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace velmora {

class CRtfFormatKeys {
public:
    // CharFormat{}, the format of text before any group sets one, is number 0.
    CRtfFormatKeys() { KeyOf(CharFormat{}); }

    // cf's number: the same for every equal format, counting up from 0 in order of first sight.
    uint32_t KeyOf(const CharFormat& cf) {
        std::vector<uint32_t>& candidates = m_index[HashCharFormat(cf)];
        for (const uint32_t nKey : candidates) {
            if (m_formats[nKey] == cf) return nKey;
        }
        const auto nKey = static_cast<uint32_t>(m_formats.size());
        m_formats.push_back(cf);
        candidates.push_back(nKey);
        return nKey;
    }

private:
    std::vector<CharFormat> m_formats;
    std::unordered_map<uint64_t, std::vector<uint32_t>> m_index;  // hash -> numbers
};

}  // namespace velmora
