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

// Appends nUnits UTF-16 units of text from nFrom on, a surrogate pair read as one character and
// U+2028 as LF. Returns false when the units held any surrogate.
bool AppendQtText(const QString& text, qsizetype nFrom, qsizetype nUnits, const CharFormat& cf, TextModel& model) {
    if (nUnits <= 0) return true;
    const QChar* pText = text.constData() + nFrom;
    bool bSurrogates = false;
    for (qsizetype i = 0; i < nUnits; ++i) bSurrogates |= pText[i].isSurrogate();
    if (!bSurrogates) {
        // One character a unit: written straight into the model.
        char32_t* pOut = model.AppendSpace(static_cast<size_t>(nUnits), cf);
        for (qsizetype i = 0; i < nUnits; ++i) {
            const char32_t ch = pText[i].unicode();
            pOut[i] = ch == 0x2028 ? U'\n' : ch;
        }
        return true;
    }
    std::u32string chars;
    chars.reserve(static_cast<size_t>(nUnits));
    for (qsizetype i = 0; i < nUnits; ++i) {
        char32_t ch = pText[i].unicode();
        if (QChar::isHighSurrogate(ch) && i + 1 < nUnits && pText[i + 1].isLowSurrogate()) {
            ch = QChar::surrogateToUcs4(pText[i], pText[i + 1]);
            ++i;
        }
        chars.push_back(ch == 0x2028 ? U'\n' : ch);
    }
    model.Append(chars, cf);
    return false;
}

// The model's formats of Qt's character formats, by the document's format index: a document
// holds few formats, and mapping one is far slower than looking it up.
class CFormatCache {
public:
    explicit CFormatCache(qreal nDefaultPoints) : m_nDefaultPoints(nDefaultPoints) {}

    template <typename GetFormat>
    const CharFormat& Get(int nIndex, GetFormat fnFormat) {
        if (nIndex < 0) return m_scratch = CharFormatFromQt(fnFormat(), m_nDefaultPoints);
        const auto n = static_cast<size_t>(nIndex);
        if (n >= m_known.size()) {
            m_known.resize(n + 1, false);
            m_formats.resize(n + 1);
        }
        if (!m_known[n]) {
            m_formats[n] = CharFormatFromQt(fnFormat(), m_nDefaultPoints);
            m_known[n] = true;
        }
        return m_formats[n];
    }

private:
    qreal m_nDefaultPoints;
    std::vector<CharFormat> m_formats;
    std::vector<bool> m_known;
    CharFormat m_scratch;
};

// Appends the block's text, each fragment in its format; the block's text is read once. Returns
// false when it held any surrogate.
bool AppendBlockText(const QTextBlock& block, CFormatCache& formats, TextModel& model) {
    const QString text = block.text();
    bool bNoSurrogates = true;
    // The fragments follow one another through the block's text; their positions are not asked
    // for, since each answer walks the document's fragment tree.
    qsizetype nAt = 0;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid()) continue;
        const CharFormat& cf = formats.Get(fragment.charFormatIndex(), [&] { return fragment.charFormat(); });
        const qsizetype nUnits = std::min<qsizetype>(fragment.length(), text.size() - nAt);
        bNoSurrogates &= AppendQtText(text, nAt, nUnits, cf, model);
        nAt += nUnits;
    }
    return bNoSurrogates;
}

// Appends the line starts of block, whose first character is model position nStart.
// bNoSurrogates: the block holds no surrogate, so that units and characters count alike.
void AppendBlockLines(const QTextBlock& block, int32_t nStart, bool bNoSurrogates, std::vector<int32_t>& lineStarts) {
    const QTextLayout* layout = block.layout();
    const int nLines = layout ? layout->lineCount() : 0;
    lineStarts.push_back(nStart);
    if (nLines <= 1) return;
    const bool bSurrogates = !bNoSurrogates;
    const QString text = bSurrogates ? block.text() : QString();
    for (int i = 1; i < nLines; ++i) {
        const int nUnit = layout->lineAt(i).textStart();
        const int32_t nPos = nStart + (bSurrogates ? CodePointCount(text, nUnit) : nUnit);
        if (nPos > lineStarts.back()) lineStarts.push_back(nPos);
    }
}

}  // namespace

void SnapshotDocument(const QTextDocument& doc, TextModel& model, bool bWithLines,
                      const std::function<void()>& fnTick) {
    model.Clear();
    model.Reserve(static_cast<size_t>(doc.characterCount() + doc.blockCount()));
    const qreal nDefaultPoints = doc.defaultFont().pointSizeF() > 0 ? doc.defaultFont().pointSizeF() : 12.0;
    CharFormat cfDefault = CharFormatFromQt(QTextCharFormat(), nDefaultPoints);
    model.SetDefaultFormat(cfDefault);

    CFormatCache formats(nDefaultPoints);
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
            model.BreakParagraph(formats.Get(block.charFormatIndex(), [&] { return block.charFormat(); }));
        }
        const QTextBlockFormat bf = block.blockFormat();
        model.SetParagraphAlignment(PhysicalAlignment(bf.alignment(), block.textDirection()));
        model.SetParagraphRtl(block.textDirection() == Qt::RightToLeft);
        const int32_t nStart = model.Length();
        const bool bNoSurrogates = AppendBlockText(block, formats, model);
        if (bWithLines) AppendBlockLines(block, nStart, bNoSurrogates, lineStarts);
    }
    if (bWithLines) model.SetLineStarts(std::move(lineStarts));
}

void SnapshotView(const QTextEdit& view, TextModel& model, const std::function<void()>& fnTick) {
    const QTextDocument& doc = *view.document();
    SnapshotDocument(doc, model, true, fnTick);
    const QTextCursor cursor = view.textCursor();
    model.SetSel(ModelPosition(doc, model, cursor.selectionStart()), ModelPosition(doc, model, cursor.selectionEnd()));
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
