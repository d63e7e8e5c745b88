#pragma once
// The editor operations over the view, for code written against IEditorOps. The selection is the
// view's own (set and read through its cursor, in model positions: CR LF per paragraph break);
// text, formats and lines come from a snapshot of the view taken on construction or by Refresh(),
// so the document must not change between the two.

#include "EditorOps.h"
#include "TextModel.h"

class QTextEdit;

namespace velmora {

class CViewEditorOps final : public IEditorOps {
public:
    explicit CViewEditorOps(QTextEdit& view);

    // Takes a new snapshot (text, formats, alignment, the current layout lines).
    void Refresh();
    const TextModel& Snapshot() const { return m_model; }

    // Selects [nStart, nEnd) in the view (0, -1: everything; clamped to the text).
    void SetSel(int32_t nStart, int32_t nEnd) override;
    void GetSel(int32_t& nStart, int32_t& nEnd) const override;
    std::u32string GetSelText() const override;
    CharFormat GetSelCharFormat() const override;
    ParaFormat GetSelParaFormat() const override;
    int32_t GetLineCount() const override { return m_model.GetLineCount(); }
    std::u32string GetLine(int32_t nLine) const override { return m_model.GetLine(nLine); }
    int32_t GetTextLength() const override { return m_model.GetTextLength(); }

private:
    void SyncSelection() const;

    QTextEdit& m_view;
    mutable TextModel m_model;
};

}  // namespace velmora
