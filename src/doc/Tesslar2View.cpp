#include "Tesslar2View.h"

#include "CharSet.h"
#include "DocumentBuilder.h"
#include "RtfReader.h"
#include "ContextMenu.h"
#include "FindReplaceDlg.h"
#include "PasteFormatDlg.h"
#include "Tesslar2Doc.h"
#include "frame/AcceleratorTable.h"
#include "frame/CommandIds.h"
#include "frame/LineLength.h"
#include "frame/LineLengthBox.h"
#include "frame/LineLengthDlg.h"
#include "frame/MainFrame.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethod>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSettings>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>

#include <memory>

namespace velmora {

namespace {

// The character sets of copied text, one byte per UTF-16 unit, so that text copied inside the
// view keeps its sets when pasted back.
constexpr const char* kCharSetMime = "application/x-velmora-charsets";

constexpr double kPrintMarginInches = 720.0 / 1440.0;  // 720 twips

bool IsTypedText(const QString& strText) {
    if (strText.isEmpty()) return false;
    for (const QChar c : strText) {
        if (c != u'\t' && (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control))
            return false;
    }
    return true;
}

// Walks the characters of [nStart, nEnd) of doc, block separators left out, calling
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

CTesslar2View::CTesslar2View(CTesslar2Doc* pDoc, QWidget* pParent)
    : QTextEdit(pParent), m_wndProgress(this), m_pDoc(pDoc) {
    setObjectName(QStringLiteral("Tesslar2View"));
    setDocument(pDoc->GetTextDocument());
    // Right-to-left reading order puts the vertical scroll bar on the left.
    setLayoutDirection(Qt::RightToLeft);
    setAcceptRichText(true);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    OnInitialUpdate();
}

CTesslar2View::~CTesslar2View() = default;

CMainFrame* CTesslar2View::GetMainFrame() const { return qobject_cast<CMainFrame*>(window()); }

void CTesslar2View::OnInitialUpdate() {
    if (m_pPrinter) {
        m_pPrinter->setPageMargins(QMarginsF(kPrintMarginInches, kPrintMarginInches, kPrintMarginInches,
                                             kPrintMarginInches),
                                   QPageLayout::Inch);
    }
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
}

void CTesslar2View::SetPrinter(QPrinter* pPrinter) {
    m_pPrinter = pPrinter;
    OnInitialUpdate();
}

bool CTesslar2View::IsHebrewLayout(const QKeyEvent& event) const {
    if (m_hebrewLayout) return m_hebrewLayout();
    if (m_nHebrewGroup >= 0 && event.nativeScanCode() != 0) {
        // X11 key events carry the keyboard group in bits 13 and 14 of their state.
        return static_cast<int>((event.nativeModifiers() >> 13) & 3u) == m_nHebrewGroup;
    }
    return QGuiApplication::inputMethod()->locale().language() == QLocale::Hebrew;
}

bool CTesslar2View::OnCommand(int nId) {
    if (nId >= ID_CAPACITY_FIRST && nId <= ID_CAPACITY_LAST) {
        OnLineLengthBoxCapacity(nId);
        return true;
    }
    switch (nId) {
    case ID_EDIT_UNDO: undo(); return true;
    case ID_EDIT_CUT: cut(); return true;
    case ID_EDIT_COPY: copy(); return true;
    case ID_EDIT_PASTE: paste(); return true;
    case ID_EDIT_PASTE_SPECIAL: OnEditPasteSpecial(); return true;
    case ID_EDIT_SELECT_ALL: selectAll(); return true;
    case ID_EDIT_FIND: OnEditFind(); return true;
    case ID_EDIT_REPEAT: OnEditRepeat(); return true;
    case ID_EDIT_REPLACE: OnEditReplace(); return true;
    case ID_FILE_PRINT: OnFilePrint(); return true;
    case ID_FILE_PRINT_DIRECT: OnFilePrintDirect(); return true;
    case ID_FILE_PRINT_PREVIEW: OnFilePrintPreview(); return true;
    case ID_SET_LINE_LENGTH: OnSetLineLength(); return true;
    case ID_COPY_TO_HTML: OnCopyToHtml(); return true;
    case ID_PASTE_FROM_HTML: OnPasteFromInternet(); return true;
    case ID_NONSTYLED_TEXT: OnNonstyledText(); return true;
    case ID_CLEAR_CLIPBOARD: OnClearClipboard(); return true;
    case ID_ERASE_SCREEN: OnEraseScreen(); return true;
    default: return false;
    }
}

// ---------------------------------------------------------------- the program's commands

void CTesslar2View::OnSetLineLength() {
    CLineLengthDlg dlg(g_nLineLength, kLineLengthCaption, this);
    if (dlg.exec() != QDialog::Accepted) return;
    g_nLineLength = dlg.m_nLength;
    CMainFrame* pFrame = GetMainFrame();
    if (!pFrame || !pFrame->m_wndLineLengthBox) return;
    RememberLineLength(*pFrame->m_wndLineLengthBox, g_nLineLength, pFrame->m_nCapacity);
}

void CTesslar2View::OnLineLengthBoxCapacity(int nId) {
    CMainFrame* pFrame = GetMainFrame();
    if (!pFrame) return;
    const int nCapacity = CapacityOfCommand(nId);
    if (pFrame->m_wndLineLengthBox) ShrinkToCapacity(*pFrame->m_wndLineLengthBox, nCapacity, pFrame->m_nCapacity);
    pFrame->m_nCapacity = nCapacity;
    pFrame->m_nCapacityMark = nCapacity;
    pFrame->OnUpdateCapacity();
}

// ---------------------------------------------------------------- keyboard and mouse

bool CTesslar2View::event(QEvent* pEvent) {
    // Keys of the accelerator table reach their commands even where the editor would act on
    // them itself (Ctrl+C, Ctrl+Z, ...), so that every accelerator runs through one route.
    if (pEvent->type() == QEvent::ShortcutOverride) {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        if (IsAcceleratorKey(pKey->keyCombination())) {
            pEvent->ignore();
            return true;
        }
    }
    return QTextEdit::event(pEvent);
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

void CTesslar2View::contextMenuEvent(QContextMenuEvent* pEvent) {
    std::unique_ptr<QMenu> pMenu(LoadContextMenu(this));
    QAction* pChosen = pMenu->exec(pEvent->globalPos());
    const int nId = pChosen ? pChosen->data().toInt() : 0;
    pMenu.reset();
    if (nId == 0) return;
    if (CMainFrame* pFrame = GetMainFrame()) {
        pFrame->OnCommand(nId);
    } else {
        OnCommand(nId);
    }
}

// ---------------------------------------------------------------- clipboard

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

void CTesslar2View::HideSelection(bool bHide) {
    QPalette pal = palette();
    const QPalette standard = QApplication::palette(this);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Highlight,
                     bHide ? pal.color(group, QPalette::Base) : standard.color(group, QPalette::Highlight));
        pal.setColor(group, QPalette::HighlightedText,
                     bHide ? pal.color(group, QPalette::Text) : standard.color(group, QPalette::HighlightedText));
    }
    setPalette(pal);
    viewport()->update();
}

void CTesslar2View::OnEditPasteSpecial() {
    const QMimeData* pSource = QApplication::clipboard()->mimeData();
    CPasteFormatDlg dlg(pSource, this);
    if (dlg.exec() != QDialog::Accepted) return;
    const QString strFormat = dlg.SelectedFormat();
    if (!strFormat.isEmpty()) PasteFormat(QApplication::clipboard()->mimeData(), strFormat);
}

// ---------------------------------------------------------------- find and replace

bool CTesslar2View::FindAndSelect(const QString& strText, QTextDocument::FindFlags flags) {
    if (strText.isEmpty()) return false;
    m_strLastFind = strText;
    m_lastFindFlags = flags;
    QTextCursor found = document()->find(strText, textCursor(), flags);
    if (found.isNull()) {
        // Once round the document from the other end.
        QTextCursor from(document());
        from.movePosition(flags & QTextDocument::FindBackward ? QTextCursor::End : QTextCursor::Start);
        found = document()->find(strText, from, flags);
    }
    if (found.isNull()) {
        QApplication::beep();
        return false;
    }
    setTextCursor(found);
    ensureCursorVisible();
    return true;
}

int CTesslar2View::ReplaceAll(const QString& strFind, const QString& strReplace, QTextDocument::FindFlags flags) {
    if (strFind.isEmpty()) return 0;
    flags &= ~QTextDocument::FindBackward;
    int nCount = 0;
    QTextCursor edit(document());
    edit.beginEditBlock();
    QTextCursor found = document()->find(strFind, 0, flags);
    while (!found.isNull()) {
        found.insertText(strReplace);
        ++nCount;
        found = document()->find(strFind, found, flags);
    }
    edit.endEditBlock();
    if (nCount == 0) QApplication::beep();
    return nCount;
}

void CTesslar2View::ShowFindDialog(bool bReplace) {
    if (m_pFindDlg && m_pFindDlg->IsReplace() != bReplace) m_pFindDlg->close();
    if (!m_pFindDlg) {
        m_pFindDlg = new CFindReplaceDlg(bReplace, this);
        m_pFindDlg->setAttribute(Qt::WA_DeleteOnClose);
        m_pFindDlg->setLayoutDirection(Qt::LeftToRight);
        CFindReplaceDlg* pDlg = m_pFindDlg;
        connect(pDlg, &CFindReplaceDlg::FindNext, this, [this, pDlg] { FindAndSelect(pDlg->FindText(), pDlg->Flags()); });
        connect(pDlg, &CFindReplaceDlg::ReplaceCurrent, this, [this, pDlg] {
            QTextCursor cursor = textCursor();
            const Qt::CaseSensitivity cs =
                pDlg->Flags() & QTextDocument::FindCaseSensitively ? Qt::CaseSensitive : Qt::CaseInsensitive;
            if (cursor.hasSelection() && cursor.selectedText().compare(pDlg->FindText(), cs) == 0) {
                cursor.insertText(pDlg->ReplaceText());
                setTextCursor(cursor);
            }
            FindAndSelect(pDlg->FindText(), pDlg->Flags());
        });
        connect(pDlg, &CFindReplaceDlg::ReplaceAll, this,
                [this, pDlg] { ReplaceAll(pDlg->FindText(), pDlg->ReplaceText(), pDlg->Flags()); });
    }
    const QString strSelected = textCursor().selectedText();
    m_pFindDlg->SetFindText(!strSelected.isEmpty() && !strSelected.contains(QChar::ParagraphSeparator) ? strSelected
                                                                                                       : m_strLastFind);
    m_pFindDlg->show();
    m_pFindDlg->raise();
    m_pFindDlg->activateWindow();
}

void CTesslar2View::OnEditFind() { ShowFindDialog(false); }

void CTesslar2View::OnEditReplace() { ShowFindDialog(true); }

void CTesslar2View::OnEditRepeat() {
    if (m_strLastFind.isEmpty()) {
        OnEditFind();
        return;
    }
    FindAndSelect(m_strLastFind, m_lastFindFlags);
}

// ---------------------------------------------------------------- printing

void CTesslar2View::PrintDocument(QPrinter* pPrinter) {
    // A copy laid out on the printer's pages, so that the page margins are the only margins.
    std::unique_ptr<QTextDocument> pCopy(document()->clone());
    pCopy->documentLayout()->setPaintDevice(pPrinter);
    pCopy->setPageSize(pPrinter->pageRect(QPrinter::DevicePixel).size());
    QTextFrameFormat frame = pCopy->rootFrame()->frameFormat();
    frame.setMargin(0);
    pCopy->rootFrame()->setFrameFormat(frame);
    pCopy->print(pPrinter);
}

void CTesslar2View::OnFilePrint() {
    if (!m_pPrinter) return;
    QPrintDialog dialog(m_pPrinter, this);
    if (dialog.exec() == QDialog::Accepted) PrintDocument(m_pPrinter);
}

void CTesslar2View::OnFilePrintDirect() {
    if (m_pPrinter) PrintDocument(m_pPrinter);
}

void CTesslar2View::OnFilePrintPreview() {
    if (!m_pPrinter) return;
    QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Velmora"));
    const int nPages = settings.value(QStringLiteral("Settings/PreviewPages"), 1).toInt();
    QPrintPreviewDialog dialog(m_pPrinter, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, &CTesslar2View::PrintDocument);
    auto* pPreview = dialog.findChild<QPrintPreviewWidget*>();
    if (pPreview && nPages == 2) pPreview->setViewMode(QPrintPreviewWidget::FacingPagesView);
    dialog.exec();
    if (pPreview) {
        settings.setValue(QStringLiteral("Settings/PreviewPages"),
                          pPreview->viewMode() == QPrintPreviewWidget::FacingPagesView ? 2 : 1);
    }
}

}  // namespace velmora
