#pragma once
// Fills a TextModel from the RTF reader.

#include "RtfSink.h"
#include "TextModel.h"

namespace velmora {

class CTextModelSink final : public IRtfSink {
public:
    // Appends to model as it is; ReadRtf clears it first.
    explicit CTextModelSink(TextModel& model) : m_model(model) {}

    void SetParagraphFormat(uint16_t wAlignment, bool bRtl) override {
        m_model.SetParagraphAlignment(wAlignment);
        m_model.SetParagraphRtl(bRtl);
    }
    void AppendText(std::u32string_view text, const CharFormat& cf) override { m_model.Append(text, cf); }
    void EndParagraph(const CharFormat& cfBreak) override { m_model.BreakParagraph(cfBreak); }

private:
    TextModel& m_model;
};

}  // namespace velmora
