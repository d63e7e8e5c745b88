#pragma once
// Fills a TextModel from the RTF reader.

#include "RtfSink.h"
#include "TextModel.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

class CTextModelSink final : public IRtfSink {
public:
    // Appends to model as it is; ReadRtf clears it first.
    explicit CTextModelSink(TextModel& model) : m_model(model) {}

    // Room for nChars characters of text at once, and for nMoreChars once the text outgrows that:
    // two steps rather than a regrowth every time the text doubles.
    // Format runs get room for one every eight characters, as formatted documents have them:
    // pages grown into twice over cost more than room reserved and never touched.
    void Reserve(size_t nChars, size_t nMoreChars) {
        m_model.Reserve(nChars);
        m_model.ReserveFormatRuns(nChars / 8);
        m_nReserved = nChars;
        m_nMoreChars = nMoreChars;
    }

    void SetParagraphFormat(uint16_t wAlignment, bool bRtl) override {
        m_model.SetParagraphAlignment(wAlignment);
        m_model.SetParagraphRtl(bRtl);
    }
    void AppendText(std::u32string_view text, const CharFormat& cf) override {
        MakeRoom(text.size());
        m_model.Append(text, cf);
    }
    void EndParagraph(const CharFormat& cfBreak) override {
        MakeRoom(2);
        m_model.BreakParagraph(cfBreak);
    }
    void AppendKeyedRuns(std::u32string_view text, std::span<const KeyedRun> runs) override {
        MakeRoom(text.size());
        m_stretches.clear();
        for (const KeyedRun& run : runs)
            m_stretches.push_back({static_cast<uint32_t>(run.nStart), FormatIdOf(run.format)});
        m_model.Append(text, m_stretches);
    }
    void EndKeyedParagraph(const KeyedCharFormat& formatBreak) override {
        MakeRoom(2);
        m_model.BreakParagraph(FormatIdOf(formatBreak));
    }

private:
    void MakeRoom(size_t nChars) {
        if (static_cast<size_t>(m_model.Length()) + nChars <= m_nReserved || m_nMoreChars <= m_nReserved) return;
        m_nReserved = m_nMoreChars;
        m_model.Reserve(m_nReserved);
    }

    // The model's id of a format the reader numbered, looked up once a number.
    uint32_t FormatIdOf(const KeyedCharFormat& format) {
        if (format.nKey < m_formatIds.size() && m_formatIds[format.nKey] != kNoId) return m_formatIds[format.nKey];
        if (format.nKey >= m_formatIds.size()) m_formatIds.resize(size_t{format.nKey} + 1, kNoId);
        return m_formatIds[format.nKey] = m_model.InternFormat(format.cf);
    }

    static constexpr uint32_t kNoId = UINT32_MAX;
    TextModel& m_model;
    std::vector<uint32_t> m_formatIds;  // by the reader's number
    std::vector<FormatStretch> m_stretches;
    size_t m_nReserved = 0;
    size_t m_nMoreChars = 0;
};

}  // namespace velmora
