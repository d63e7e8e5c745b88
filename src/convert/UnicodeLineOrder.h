#pragma once
// Lines in the order of the Unicode Bidirectional Algorithm, as browsers and word processors show
// them: the levels are resolved on the whole paragraph, right to left as the editor's view lays
// it out, and each line is then reordered on its own. Runs are the line's level runs cut further
// wherever the format changes.

#include "LineOrder.h"
#include "UnicodeBidi.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

class CUnicodeLineOrder final : public ILineOrder {
public:
    void OrderLine(const TextModel& doc, int32_t nStart, int32_t nEnd, std::vector<TextRun>& runs,
                   std::vector<int32_t>& order) override;
    // Right-to-left runs are reversed with their combining marks kept after the letter they
    // belong to and with mirrored glyphs for brackets and the like; directional marks,
    // embeddings, isolates and line ends are left out.
    void AppendRunText(std::u32string& strOut, const TextRun& run, std::u32string_view text) const override;
    // A middle dot and a tab, in either order: the reversal may have turned the pair.
    bool IsListBullet(const TextRun& run, std::u32string_view text) const override;

private:
    // Resolves the levels of paragraph nParagraph of doc unless they are at hand.
    bool PrepareParagraph(const TextModel& doc, size_t nParagraph);
    // Appends the runs of [nStart, nEnd), which lie in the prepared paragraph, left to right.
    void AppendParagraphPart(const TextModel& doc, int32_t nStart, int32_t nEnd, std::vector<TextRun>& runs);

    CUnicodeBidi m_bidi;
    const TextModel* m_pDoc = nullptr;
    uint64_t m_nRevision = 0;
    size_t m_nParagraph = SIZE_MAX;
    int32_t m_nParagraphStart = 0;
    std::vector<BidiRun> m_bidiRuns;
};

}  // namespace velmora
