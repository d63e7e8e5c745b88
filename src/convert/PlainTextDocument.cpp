#include "PlainTextDocument.h"

namespace velmora {

void LoadPlainText(std::u32string_view text, TextModel& model) {
    model.Clear();
    model.Reserve(text.size() + text.size() / 16);
    const CharFormat cf = HebrewTypingFormat();
    model.SetParagraphAlignment(PFA_RIGHT);
    model.SetParagraphRtl(true);
    size_t p = 0;
    while (p < text.size()) {
        const size_t end = text.find_first_of(U"\r\n", p);
        if (end == std::u32string_view::npos) {
            model.Append(text.substr(p), cf);
            return;
        }
        model.Append(text.substr(p, end - p), cf);
        p = end + (text[end] == U'\r' && end + 1 < text.size() && text[end + 1] == U'\n' ? 2 : 1);
        if (p < text.size()) model.BreakParagraph(cf);
    }
}

}  // namespace velmora
