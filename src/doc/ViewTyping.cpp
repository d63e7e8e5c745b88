// Typing into the view: Enter as a paragraph break, and the character set each typed character
// gets from the keyboard layout.

#include "Tesslar2View.h"

#include "richtext/CharSet.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QTextCursor>

namespace velmora {

namespace {

bool IsTypedText(const QString& strText) {
    if (strText.isEmpty()) return false;
    for (const QChar c : strText) {
        if (c != u'\t' && (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control))
            return false;
    }
    return true;
}

// Walks the characters of [nStart, nEnd) of doc, block separators left out, calling

}  // namespace

bool CTesslar2View::IsHebrewLayout(const QKeyEvent& event) const {
    if (m_hebrewLayout) return m_hebrewLayout();
    if (m_nHebrewGroup >= 0 && event.nativeScanCode() != 0) {
        // X11 key events carry the keyboard group in bits 13 and 14 of their state.
        return static_cast<int>((event.nativeModifiers() >> 13) & 3u) == m_nHebrewGroup;
    }
    return QGuiApplication::inputMethod()->locale().language() == QLocale::Hebrew;
}

void CTesslar2View::keyPressEvent(QKeyEvent* pEvent) {
    const Qt::KeyboardModifiers mods = pEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if ((pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter) && !isReadOnly()) {
        // Every line break is a paragraph break, as in the documents the view reads and writes.
        textCursor().insertBlock();
        ensureCursorVisible();
        pEvent->accept();
        return;
    }
    if (!isReadOnly() && mods == Qt::NoModifier && IsTypedText(pEvent->text())) {
        InsertTypedText(pEvent->text(), IsHebrewLayout(*pEvent));
        pEvent->accept();
        return;
    }
    QTextEdit::keyPressEvent(pEvent);
}

void CTesslar2View::InsertTypedText(const QString& strText, bool bHebrewLayout) {
    QTextCursor cursor = textCursor();
    QTextCharFormat format = currentCharFormat();
    const uint8_t nInsertionSet = CharSetOf(format);
    // Without an edit block of its own, consecutive keys merge into one undo step as in any editor.
    const bool bReplacing = cursor.hasSelection();
    if (bReplacing) {
        cursor.beginEditBlock();
        cursor.removeSelectedText();
    }
    for (int i = 0; i < strText.size(); ++i) {
        char32_t ch = strText[i].unicode();
        int nUnits = 1;
        if (strText[i].isHighSurrogate() && i + 1 < strText.size()) {
            ch = QChar::surrogateToUcs4(strText[i], strText[i + 1]);
            nUnits = 2;
        }
        SetCharSet(format, TypedCharSet(ch, bHebrewLayout, nInsertionSet));
        cursor.insertText(strText.mid(i, nUnits), format);
        i += nUnits - 1;
    }
    if (bReplacing) cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

}  // namespace velmora
