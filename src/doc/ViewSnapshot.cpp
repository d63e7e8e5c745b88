#include "ViewSnapshot.h"

#include "richtext/FormatMapping.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <algorithm>

namespace velmora {

namespace {

// Number of characters in the UTF-16 units [0, nUnits) of str.
int32_t CodePointCount(const QString& str, int nUnits) {
    int32_t n = 0;
    for (int i = 0; i < nUnits; ++i) {
        if (str[i].isHighSurrogate() && i + 1 < str.size() && str[i + 1].isLowSurrogate()) ++i;
        ++n;
    }
    return n;
}

// The UTF-16 offset in str of its character number nChars (str's size when past its end).
int Utf16Offset(const QString& str, int32_t nChars) {
    int i = 0;
    for (int32_t n = 0; n < nChars && i < str.size(); ++n) {
        if (str[i].isHighSurrogate() && i + 1 < str.size() && str[i + 1].isLowSurrogate()) ++i;
        ++i;
    }
    return i;
}

void AppendQtText(const QString& text, const CharFormat& cf, TextModel& model) {
    std::u32string chars;
    chars.reserve(static_cast<size_t>(text.size()));
    for (int i = 0; i < text.size(); ++i) {
        char32_t ch = text[i].unicode();
        if (QChar::isHighSurrogate(ch) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ch = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        chars.push_back(ch == 0x2028 ? U'\n' : ch);
    }
    model.Append(chars, cf);
}

void AppendBlockText(const QTextBlock& block, qreal nDefaultPoints, TextModel& model) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid()) continue;
        AppendQtText(fragment.text(), CharFormatFromQt(fragment.charFormat(), nDefaultPoints), model);
    }
}

// Appends the line starts of block, whose first character is model position nStart.
void AppendBlockLines(const QTextBlock& block, int32_t nStart, std::vector<int32_t>& lineStarts) {
    const QTextLayout* layout = block.layout();
    const int nLines = layout ? layout->lineCount() : 0;
    lineStarts.push_back(nStart);
    if (nLines <= 1) return;
    const QString text = block.text();
    bool bSurrogates = false;
    for (const QChar c : text) bSurrogates = bSurrogates || c.isSurrogate();
    for (int i = 1; i < nLines; ++i) {
        const int nUnit = layout->lineAt(i).textStart();
        const int32_t nPos = nStart + (bSurrogates ? CodePointCount(text, nUnit) : nUnit);
        if (nPos > lineStarts.back()) lineStarts.push_back(nPos);
    }
}

}  // namespace

void SnapshotDocument(const QTextDocument& doc, TextModel& model, bool bWithLines, const std::function<void()>& fnTick) {
    model.Clear();
    model.Reserve(static_cast<size_t>(doc.characterCount() + doc.blockCount()));
    const qreal nDefaultPoints = doc.defaultFont().pointSizeF() > 0 ? doc.defaultFont().pointSizeF() : 12.0;
    CharFormat cfDefault = CharFormatFromQt(QTextCharFormat(), nDefaultPoints);
    model.SetDefaultFormat(cfDefault);

    std::vector<int32_t> lineStarts;
    int nBlock = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next(), ++nBlock) {
        // Laying out a large document that was never shown whole takes a while: the caller
        // hears of every few blocks so that its progress window stays painted.
        if (fnTick && nBlock % 64 == 0) fnTick();
        // Lays out the blocks up to this one that are still waiting for their layout.
        if (bWithLines) doc.documentLayout()->blockBoundingRect(block);
        if (block != doc.begin()) {
            // The CR LF carry the format of the boundary, which Qt keeps as the next block's
            // character format.
            model.BreakParagraph(CharFormatFromQt(block.charFormat(), nDefaultPoints));
        }
        const QTextBlockFormat bf = block.blockFormat();
        model.SetParagraphAlignment(PhysicalAlignment(bf.alignment(), block.textDirection()));
        model.SetParagraphRtl(block.textDirection() == Qt::RightToLeft);
        const int32_t nStart = model.Length();
        AppendBlockText(block, nDefaultPoints, model);
        if (bWithLines) AppendBlockLines(block, nStart, lineStarts);
    }
    if (bWithLines) model.SetLineStarts(std::move(lineStarts));
}

void SnapshotView(const QTextEdit& view, TextModel& model, const std::function<void()>& fnTick) {
    const QTextDocument& doc = *view.document();
    SnapshotDocument(doc, model, true, fnTick);
    const QTextCursor cursor = view.textCursor();
    model.SetSel(ModelPosition(doc, model, cursor.selectionStart()),
                 ModelPosition(doc, model, cursor.selectionEnd()));
}

int32_t ModelPosition(const QTextDocument& doc, const TextModel& model, int nQtPos) {
    const QTextBlock block = doc.findBlock(std::max(0, nQtPos));
    if (!block.isValid()) return model.Length();
    const auto nBlock = static_cast<size_t>(block.blockNumber());
    if (nBlock >= model.ParagraphCount()) return model.Length();
    const QString text = block.text();
    const int nUnits = std::clamp(nQtPos - block.position(), 0, static_cast<int>(text.size()));
    return std::min(model.ParagraphAt(nBlock).nStart + CodePointCount(text, nUnits), model.Length());
}

int QtPosition(const QTextDocument& doc, const TextModel& model, int32_t nPos) {
    nPos = std::clamp(nPos, 0, model.Length());
    const size_t nPara = model.ParagraphIndexAt(nPos);
    const QTextBlock block = doc.findBlockByNumber(static_cast<int>(nPara));
    if (!block.isValid()) return std::max(0, doc.characterCount() - 1);
    const QString text = block.text();
    return block.position() + Utf16Offset(text, nPos - model.ParagraphAt(nPara).nStart);
}

}  // namespace velmora
