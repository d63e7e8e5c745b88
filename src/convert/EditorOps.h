#pragma once
// The operations through which the conversion reaches a document, as the rich-edit control
// offered them. Positions count characters; every paragraph break is the two characters CR LF.

#include "CharFormat.h"

#include <cstdint>
#include <string>

namespace velmora {

class IEditorOps {
public:
    virtual ~IEditorOps() = default;
    // Selects [nStart, nEnd); 0, -1 selects everything. A range outside the text selects nothing.
    virtual void SetSel(int32_t nStart, int32_t nEnd) = 0;
    virtual void GetSel(int32_t& nStart, int32_t& nEnd) const = 0;
    // The selected characters; empty when the selection lies outside the text.
    virtual std::u32string GetSelText() const = 0;
    // The format of the selection: one character reports CFM_ALL_SINGLE; a longer selection clears
    // the mask bit of every attribute that differs inside it; an empty selection reports the format
    // at the insertion point.
    virtual CharFormat GetSelCharFormat() const = 0;
    // PFM_ALIGNMENT is in dwMask only when every paragraph the selection touches has one alignment.
    virtual ParaFormat GetSelParaFormat() const = 0;
    virtual int32_t GetLineCount() const = 0;
    // The text of one layout line with its ending characters, read whole.
    virtual std::u32string GetLine(int32_t nLine) const = 0;
    virtual int32_t GetTextLength() const = 0;
};

}  // namespace velmora
