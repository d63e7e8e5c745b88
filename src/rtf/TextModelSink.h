#pragma once
// Fills a TextModel from the RTF reader.

#include "RtfSink.h"
#include "TextModel.h"

#include <cstddef>

namespace velmora {

class CTextModelSink final : public IRtfSink {
public:
    // Appends to model as it is; ReadRtf clears it first.
    explicit CTextModelSink(TextModel& model) : m_model(model) {}

    // Room for nChars characters of text at once, and for nMoreChars once the text outgrows that:
    // two steps rather than a regrowth every time the text doubles.
    void Reserve(size_t nChars, size_t nMoreChars) {
        m_model.Reserve(nChars);
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

private:
    void MakeRoom(size_t nChars) {
        if (static_cast<size_t>(m_model.Length()) + nChars <= m_nReserved || m_nMoreChars <= m_nReserved) return;
        m_nReserved = m_nMoreChars;
        m_model.Reserve(m_nReserved);
    }

    TextModel& m_model;
    size_t m_nReserved = 0;
    size_t m_nMoreChars = 0;
};

}  // namespace velmora
