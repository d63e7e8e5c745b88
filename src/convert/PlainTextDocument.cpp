#include "PlainTextDocument.h"

#include "CodePage1255.h"
#include "Utf8.h"

namespace velmora {

namespace {

void StartPlainDocument(TextModel& model, size_t nSizeHint) {
    model.Clear();
    model.Reserve(nSizeHint + nSizeHint / 16);
    model.SetParagraphAlignment(PFA_RIGHT);
    model.SetParagraphRtl(true);
}

// Calls onLine(line, bLast) for every line of text; the ending after the last line opens nothing.
template <typename CharT, typename OnLine>
void ForEachLine(std::basic_string_view<CharT> text, OnLine onLine) {
    size_t p = 0;
    while (p < text.size()) {
        size_t end = p;
        while (end < text.size() && text[end] != CharT('\r') && text[end] != CharT('\n')) ++end;
        if (end == text.size()) {
            onLine(text.substr(p), true);
            return;
        }
        const size_t next = end + (text[end] == CharT('\r') && end + 1 < text.size() && text[end + 1] == CharT('\n') ? 2 : 1);
        onLine(text.substr(p, end - p), next >= text.size());
        p = next;
    }
}

}  // namespace

bool LoadPlainTextBytes(std::string_view bytes, TextEncoding eEncoding, TextModel& model, size_t& nBadOffset) {
    const bool bUtf8 = eEncoding == TextEncoding::Utf8;
    size_t nSkipped = 0;
    if (bUtf8 && bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
        nSkipped = kUtf8Bom.size();
    }
    StartPlainDocument(model, bytes.size());
    const CharFormat cf = HebrewTypingFormat();
    std::u32string line;
    bool bOk = true;
    ForEachLine(bytes, [&](std::string_view encoded, bool bLast) {
        if (!bOk) return;
        size_t nBad = 0;
        bOk = bUtf8 ? DecodeUtf8(encoded, line, nBad) : DecodeCp1255(encoded, line, nBad);
        if (!bOk) {
            nBadOffset = nSkipped + static_cast<size_t>(encoded.data() - bytes.data()) + nBad;
            return;
        }
        model.Append(line, cf);
        if (!bLast) model.BreakParagraph(cf);
    });
    return bOk;
}

}  // namespace velmora
