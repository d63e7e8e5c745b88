#include "DocumentBuilder.h"

#include "FormatMapping.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <optional>
#include <vector>

namespace velmora {

namespace {

// Characters that would open a new Qt block if inserted as they are.
bool BreaksBlock(char32_t ch) { return ch == U'\r' || ch == U'\n' || ch == 0x2029 || ch == 0xFDD0 || ch == 0xFDD1; }

void AppendCodePoint(QString& str, char32_t ch) {
    if (BreaksBlock(ch)) ch = 0x2028;
    if (ch > 0xFFFF) {
        str.append(QChar::highSurrogate(ch));
        str.append(QChar::lowSurrogate(ch));
    } else {
        str.append(QChar(static_cast<char16_t>(ch)));
    }
}

// The Qt format of each of a model's formats, made once: a document has few formats and many
// runs, and a format Qt has seen as the same object it finds again without comparing it.
class CQtFormats {
public:
    explicit CQtFormats(const TextModel& model) : m_model(model) {}

    const QTextCharFormat& Of(uint32_t nFormatId) {
        if (nFormatId >= m_formats.size()) m_formats.resize(size_t{nFormatId} + 1);
        std::optional<QTextCharFormat>& format = m_formats[nFormatId];
        if (!format) format = QtFromCharFormat(m_model.FormatById(nFormatId));
        return *format;
    }

private:
    const TextModel& m_model;
    std::vector<std::optional<QTextCharFormat>> m_formats;
};

// Inserts model's characters [nStart, nEnd) at cursor, one insertion per run of one format.
void InsertRuns(const TextModel& model, int32_t nStart, int32_t nEnd, QTextCursor& cursor, CQtFormats& formats) {
    QString run;
    const std::u32string_view text = model.Text();
    int32_t pos = nStart;
    while (pos < nEnd) {
        const uint32_t id = model.FormatIdAt(pos);
        const int32_t end = std::min(model.FormatRunEnd(pos), nEnd);
        run.clear();
        run.reserve(end - pos);
        for (int32_t q = pos; q < end; ++q) AppendCodePoint(run, text[static_cast<size_t>(q)]);
        cursor.insertText(run, formats.Of(id));
        pos = end;
    }
}

}  // namespace

void InsertModel(const TextModel& model, QTextCursor& cursor) {
    cursor.beginEditBlock();
    if (cursor.hasSelection()) cursor.removeSelectedText();
    CQtFormats formats(model);
    const size_t nParagraphs = model.ParagraphCount();
    for (size_t i = 0; i < nParagraphs; ++i) {
        const Paragraph& para = model.ParagraphAt(i);
        if (i > 0) {
            cursor.insertBlock(QtBlockFormat(para.wAlignment, para.bRtl),
                               formats.Of(model.FormatIdAt(para.nStart - 2)));
        }
        const bool bLast = i + 1 == nParagraphs;
        InsertRuns(model, para.nStart, bLast ? model.Length() : model.ParagraphEnd(i) - 2, cursor, formats);
    }
    cursor.endEditBlock();
}

void FillDocument(const TextModel& model, QTextDocument& doc) {
    const bool bUndo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.clear();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    CQtFormats formats(model);
    const size_t nParagraphs = model.ParagraphCount();
    for (size_t i = 0; i < nParagraphs; ++i) {
        const Paragraph& para = model.ParagraphAt(i);
        const QTextBlockFormat bf = QtBlockFormat(para.wAlignment, para.bRtl);
        if (i == 0) {
            cursor.setBlockFormat(bf);
            cursor.setBlockCharFormat(QtFromCharFormat(model.FormatAt(0)));
        } else {
            // The CR LF that ends the previous paragraph: two characters in the model, one
            // block boundary here, in the format they carry.
            cursor.insertBlock(bf, formats.Of(model.FormatIdAt(para.nStart - 2)));
        }
        const bool bLast = i + 1 == nParagraphs;
        const int32_t nTextEnd = bLast ? model.Length() : model.ParagraphEnd(i) - 2;
        InsertRuns(model, para.nStart, nTextEnd, cursor, formats);
    }
    cursor.endEditBlock();
    doc.setUndoRedoEnabled(bUndo);
    doc.setModified(false);
}

}  // namespace velmora
