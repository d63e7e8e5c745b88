// The view's clipboard: what a copy puts there (with the character sets of the copied text) and
// how a paste comes in (RTF through the RTF reader, line breaks as paragraph breaks, character
// sets kept or inferred), and Paste Special.

#include "Tesslar2View.h"

#include "PasteFormatDlg.h"
#include "RtfReader.h"
#include "richtext/CharSet.h"
#include "richtext/DocumentBuilder.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

#include <memory>

namespace velmora {

namespace {

// The character sets of copied text, one byte per UTF-16 unit, so that text copied inside the
// view keeps its sets when pasted back.
constexpr const char* kCharSetMime = "application/x-velmora-charsets";

// visit(qtPosition, character, block, format).
template <typename Visit>
void ForEachChar(const QTextDocument& doc, int nStart, int nEnd, Visit visit) {
    for (QTextBlock block = doc.findBlock(nStart); block.isValid() && block.position() < nEnd; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int nFragStart = fragment.position();
            const QString text = fragment.text();
            for (int i = 0; i < text.size(); ++i) {
                const int nPos = nFragStart + i;
                if (nPos < nStart) continue;
                if (nPos >= nEnd) return;
                char32_t ch = text[i].unicode();
                if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                    ch = QChar::surrogateToUcs4(text[i], text[i + 1]);
                    visit(nPos, ch, block, fragment.charFormat());
                    visit(nPos + 1, ch, block, fragment.charFormat());
                    ++i;
                    continue;
                }
                visit(nPos, ch, block, fragment.charFormat());
            }
        }
    }
}

// Gives the characters of doc the sets computed per position, merging one format per run.
class CCharSetWriter {
public:
    explicit CCharSetWriter(QTextDocument& doc) : m_cursor(&doc) {}
    ~CCharSetWriter() { Flush(); }

    void Put(int nPos, uint8_t nSet) {
        if (m_nRunEnd == nPos && nSet == m_nSet) {
            ++m_nRunEnd;
            return;
        }
        Flush();
        m_nRunStart = nPos;
        m_nRunEnd = nPos + 1;
        m_nSet = nSet;
    }

private:
    void Flush() {
        if (m_nRunEnd <= m_nRunStart) return;
        m_cursor.setPosition(m_nRunStart);
        m_cursor.setPosition(m_nRunEnd, QTextCursor::KeepAnchor);
        QTextCharFormat cf;
        SetCharSet(cf, m_nSet);
        m_cursor.mergeCharFormat(cf);
        m_nRunStart = m_nRunEnd = 0;
    }

    QTextCursor m_cursor;
    int m_nRunStart = 0;
    int m_nRunEnd = 0;
    uint8_t m_nSet = 0;
};

}  // namespace

QMimeData* CTesslar2View::createMimeDataFromSelection() const {
    const QTextCursor cursor = textCursor();
    std::unique_ptr<QMimeData> pBase(QTextEdit::createMimeDataFromSelection());
    auto* pData = new QMimeData;
    if (pBase->hasHtml()) pData->setHtml(pBase->html());
    pData->setText(pBase->text());
    QByteArray sets(cursor.selectionEnd() - cursor.selectionStart(), static_cast<char>(HEBREW_CHARSET));
    const int nStart = cursor.selectionStart();
    ForEachChar(*document(), nStart, cursor.selectionEnd(),
                [&](int nPos, char32_t, const QTextBlock&, const QTextCharFormat& cf) {
                    sets[nPos - nStart] = static_cast<char>(CharSetOf(cf));
                });
    pData->setData(QString::fromLatin1(kCharSetMime), sets);
    return pData;
}

void CTesslar2View::insertFromMimeData(const QMimeData* pSource) {
    // An empty clipboard pastes nothing (Qt's own paste does not expect one).
    if (!pSource || pSource->formats().isEmpty()) return;
    if (acceptRichText() && !pSource->hasFormat(QString::fromLatin1(kCharSetMime)) && InsertRtf(pSource)) return;
    const QTextCursor before = textCursor();
    const int nStart = before.selectionStart();
    const int nKept = document()->characterCount() - (before.selectionEnd() - before.selectionStart());
    // The paste, its paragraph breaks and its character sets undo as one step.
    QTextCursor group(document());
    group.beginEditBlock();
    QTextEdit::insertFromMimeData(pSource);
    const int nEnd = nStart + (document()->characterCount() - nKept);
    if (nEnd > nStart) {
        BreakPastedLines(nStart, nEnd);
        ApplyPastedCharSets(nStart, nEnd, pSource);
    }
    group.endEditBlock();
}

void CTesslar2View::BreakPastedLines(int nStart, int nEnd) {
    QTextDocument& doc = *document();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (int nPos = nStart; nPos < nEnd; ++nPos) {
        if (doc.characterAt(nPos) != QChar::LineSeparator) continue;
        cursor.setPosition(nPos);
        cursor.deleteChar();
        cursor.insertBlock();  // one character for one: positions after it stay put
    }
    cursor.endEditBlock();
}

bool CTesslar2View::InsertRtf(const QMimeData* pSource) {
    for (const QString& strType : RtfMimeTypes()) {
        if (!pSource->hasFormat(strType)) continue;
        const QByteArray bytes = pSource->data(strType);
        TextModel model;
        if (!ReadRtf(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), model).bOk) return false;
        QTextCursor cursor = textCursor();
        InsertModel(model, cursor);
        setTextCursor(cursor);
        return true;
    }
    return false;
}

void CTesslar2View::ApplyPastedCharSets(int nStart, int nEnd, const QMimeData* pSource) {
    QTextDocument& doc = *document();
    const QByteArray ownSets = pSource->data(QString::fromLatin1(kCharSetMime));
    const bool bRich = pSource->hasHtml() && acceptRichText();
    const uint8_t nInsertionSet = CharSetOf(currentCharFormat());
    CCharSetWriter writer(doc);
    if (ownSets.size() == nEnd - nStart) {
        // Copied inside Velmora: the sets travel with the text.
        ForEachChar(doc, nStart, nEnd, [&](int nPos, char32_t, const QTextBlock&, const QTextCharFormat&) {
            writer.Put(nPos, static_cast<uint8_t>(ownSets[nPos - nStart]));
        });
    } else if (bRich) {
        ForEachChar(doc, nStart, nEnd, [&](int nPos, char32_t ch, const QTextBlock& block, const QTextCharFormat& cf) {
            const uint8_t nFontSet = HasCharSet(cf) ? CharSetOf(cf) : ANSI_CHARSET;
            writer.Put(nPos, InferredCharSet(ch, block.textDirection() == Qt::RightToLeft, nFontSet));
        });
    } else {
        ForEachChar(doc, nStart, nEnd, [&](int nPos, char32_t ch, const QTextBlock&, const QTextCharFormat&) {
            writer.Put(nPos, TypedCharSet(ch, false, nInsertionSet));
        });
    }
}

void CTesslar2View::PasteFormat(const QMimeData* pSource, const QString& strMimeType) {
    if (!pSource) return;
    QMimeData only;
    if (RtfMimeTypes().contains(strMimeType)) {
        only.setData(strMimeType, pSource->data(strMimeType));
    } else if (strMimeType == QLatin1String("text/html")) {
        only.setHtml(pSource->html());
        if (pSource->hasFormat(QString::fromLatin1(kCharSetMime)))
            only.setData(QString::fromLatin1(kCharSetMime), pSource->data(QString::fromLatin1(kCharSetMime)));
    } else {
        only.setText(pSource->text());
    }
    insertFromMimeData(&only);
    ensureCursorVisible();
}

void CTesslar2View::OnEditPasteSpecial() {
    const QMimeData* pSource = QApplication::clipboard()->mimeData();
    CPasteFormatDlg dlg(pSource, this);
    if (dlg.exec() != QDialog::Accepted) return;
    const QString strFormat = dlg.SelectedFormat();
    if (!strFormat.isEmpty()) PasteFormat(QApplication::clipboard()->mimeData(), strFormat);
}

}  // namespace velmora
