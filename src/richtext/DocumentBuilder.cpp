#include "DocumentBuilder.h"

#include "FormatMapping.h"

#include <QTextCursor>
#include <QTextDocument>

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

// Inserts model's characters [nStart, nEnd) at cursor, one insertion per run of one format.
void InsertRuns(const TextModel& model, int32_t nStart, int32_t nEnd, QTextCursor& cursor) {
    QString run;
    int32_t pos = nStart;
    while (pos < nEnd) {
        const uint32_t id = model.FormatIdAt(pos);
        run.clear();
        int32_t end = pos;
        while (end < nEnd && model.FormatIdAt(end) == id) AppendCodePoint(run, model.CharAt(end++));
        cursor.insertText(run, QtFromCharFormat(model.FormatById(id)));
        pos = end;
    }
}

}  // namespace

void InsertModel(const TextModel& model, QTextCursor& cursor) {
    cursor.beginEditBlock();
    if (cursor.hasSelection()) cursor.removeSelectedText();
    const size_t nParagraphs = model.ParagraphCount();
    for (size_t i = 0; i < nParagraphs; ++i) {
        const Paragraph& para = model.ParagraphAt(i);
        if (i > 0) {
            cursor.insertBlock(QtBlockFormat(para.wAlignment, para.bRtl),
                               QtFromCharFormat(model.FormatAt(para.nStart - 2)));
        }
        const bool bLast = i + 1 == nParagraphs;
        InsertRuns(model, para.nStart, bLast ? model.Length() : model.ParagraphEnd(i) - 2, cursor);
    }
    cursor.endEditBlock();
}

void FillDocument(const TextModel& model, QTextDocument& doc) {
    const bool bUndo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.clear();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
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
            cursor.insertBlock(bf, QtFromCharFormat(model.FormatAt(para.nStart - 2)));
        }
        const bool bLast = i + 1 == nParagraphs;
        const int32_t nTextEnd = bLast ? model.Length() : model.ParagraphEnd(i) - 2;
        InsertRuns(model, para.nStart, nTextEnd, cursor);
    }
    cursor.endEditBlock();
    doc.setUndoRedoEnabled(bUndo);
    doc.setModified(false);
}

}  // namespace velmora
