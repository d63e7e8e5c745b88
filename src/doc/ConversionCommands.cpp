// The view's conversion and clipboard commands: Copy to HTML, Nonstyled text, Paste from
// Internet, Clear clipboard and Erase screen. Each checks its own conditions when it runs and
// refuses with a message; none changes the document unless it succeeds.

#include "LineLength.h"
#include "Tesslar2View.h"
#include "Utf16Output.h"
#include "ViewFrame.h"
#include "ViewSnapshot.h"
#include "VisualToLogical.h"
#include "clipboard/ClipboardWriter.h"
#include "dialogs/BlockingWait.h"
#include "dialogs/MessageBox.h"
#include "dialogs/NoticeDlg.h"
#include "dialogs/Pictures.h"
#include "dialogs/ProgressAdapter.h"
#include "richtext/CharSet.h"

#include <QElapsedTimer>
#include <QProgressBar>
#include <QTextCursor>

namespace velmora {

namespace {

// How often the progress window is painted while the document is read.
constexpr qint64 kSnapshotRepaintMs = 100;

// The texts of one conversion command: the status bar at the start, the progress window's
// caption, and the status text its end shows with 100%.
struct ConversionTexts {
    QString strStartStatus;
    QString strCaption;
    QString strFinishStatus;
};

const ConversionTexts kHtmlTexts{QStringLiteral("Converting text to HTML format  "),
                                 QStringLiteral("Converting text to HTML format"),
                                 QStringLiteral("Converting text to HTML format  ")};
const ConversionTexts kNonstyledTexts{QStringLiteral("Converting text to non_styled format  "),
                                      QStringLiteral("Converting text to non_styled format"),
                                      QStringLiteral("Converting text to non-styled format  ")};

// Hands strText to the clipboard; tells the user when it cannot.
bool HandOver(QWidget* pView, const QString& strText) {
    if (PutTextOnClipboard(strText)) return true;
    ShowMessageBox(pView, QStringLiteral("Can not open the Clipboard"));
    return false;
}

}  // namespace

bool CTesslar2View::CheckHostForConversion() {
    switch (m_hostCheck ? m_hostCheck() : HostState::None) {
    case HostState::None:
        ShowMessageBox(this, QStringLiteral("This program works only\r\nwith Macromedia programs"));
        return false;
    case HostState::NotDreamweaver:
        ShowMessageBox(this, QStringLiteral("This action isn't intended work\r\n") +
                                 QStringLiteral("together with Director or Flash"));
        return false;
    case HostState::WindowClosed:
        ShowMessageBox(this, QStringLiteral("DreamWeaver is not active.\r\nYou must run it."));
        return false;
    case HostState::Ready: return true;
    }
    return false;
}

void CTesslar2View::RunConversionCommand(bool bHtml) {
    if (!CheckHostForConversion()) return;
    HideSelection(true);
    if (document()->isEmpty()) {
        ShowNotice(this, kBitmapNothingToCopy);
        // Text typed later must show its selection again.
        HideSelection(false);
        return;
    }
    const ConversionTexts& texts = bHtml ? kHtmlTexts : kNonstyledTexts;

    IViewFrame* pFrame = m_pFrame;
    auto setStatus = [pFrame](const QString& strText) {
        if (pFrame) pFrame->SetMessageText(strText);
    };
    if (pFrame) {
        // The window opens before the document is read, which can take a while for a large
        // document that was never laid out whole; the bar gets its true range once it is read.
        setStatus(texts.strStartStatus);
        m_wndProgress.SetStatusSink(setStatus);
        m_wndProgress.Begin(texts.strCaption, document()->characterCount());
    }
    QElapsedTimer sincePaint;
    sincePaint.start();
    auto keepPainted = [this, pFrame, &sincePaint] {
        if (!pFrame || sincePaint.elapsed() < kSnapshotRepaintMs) return;
        PaintNow(m_wndProgress);
        sincePaint.restart();
    };

    // The conversion reads the document as the view lays it out now, so its visual lines break
    // where the user sees them break.
    TextModel model;
    SnapshotView(*this, model, keepPainted);
    int32_t nFrom = 0;
    int32_t nTo = 0;
    model.GetSel(nFrom, nTo);
    const int32_t nTotal = nFrom == nTo ? model.Length() : nTo - nFrom;
    if (pFrame) m_wndProgress.m_pBar->setMaximum(nTotal);
    CProgressAdapter progress(m_wndProgress, pFrame ? CProgressAdapter::StatusSink(setStatus) : nullptr);
    m_engine.SetProgress(&progress);
    CUtf16Output output;
    m_engine.SetOutputSink([&output](std::u32string_view part) { output.Add(part); });
    if (bHtml) {
        m_engine.CopyToHtml(model, g_nLineLength);
    } else {
        m_engine.NonstyledText(model, g_nLineLength);
    }
    m_engine.SetOutputSink(nullptr);
    m_engine.SetProgress(nullptr);

    // A failed hand-over has told the user why; the progress window stays until dismissed, but
    // the selection is shown again so that the editor is left as it was.
    if (!HandOver(this, output.Take())) {
        HideSelection(false);
        return;
    }
    if (pFrame) {
        m_wndProgress.Finish(texts.strFinishStatus);
        m_engine.m_nDoneChars = 0;
    }
    HideSelection(false);
}

void CTesslar2View::OnCopyToHtml() { RunConversionCommand(true); }

void CTesslar2View::OnNonstyledText() { RunConversionCommand(false); }

void CTesslar2View::OnPasteFromInternet() {
    if (!CheckHostForConversion()) return;
    bool bHasText = false;
    bool bOpened = false;
    const QString strVisual = ReadClipboardText(bHasText, bOpened);
    if (!bOpened) {
        ShowMessageBox(this, QStringLiteral("Can not open the Clipboard"));
        return;
    }
    if (!bHasText) {
        ShowNotice(this, kBitmapNothingToPaste, kPasteFromInternetTitle);
        return;
    }
    if (strVisual.isEmpty()) {
        ShowTextNotice(this, kNothingToPasteText, kPasteFromInternetTitle);
        return;
    }

    std::u32string logical;
    VisualToLogical(strVisual.toStdU32String(), logical);
    if (!HandOver(this, QString::fromStdU32String(logical))) {
        // Whatever the failed write left behind, the user's visual text goes back.
        HandOver(this, strVisual);
        return;
    }
    // The logical text goes in as any pasted plain text does: at the selection, replacing it, in
    // the insertion format.
    paste();
    HandOver(this, strVisual);
    QTextCursor cursor = textCursor();
    cursor.setPosition(0);
    setTextCursor(cursor);
}

void CTesslar2View::OnClearClipboard() {
    if (!ClearClipboard()) {
        ShowMessageBox(this, QStringLiteral("Can not open  Clipboard"));
        return;
    }
    ShowNotice(this, kBitmapClipboardEmpty);
}

void CTesslar2View::OnEraseScreen() {
    if (document()->isEmpty()) ShowNotice(this, kBitmapScreenEmpty);
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    // What is typed next is Hebrew; the rest of the insertion format stays as it was.
    QTextCharFormat cf = currentCharFormat();
    SetCharSet(cf, HEBREW_CHARSET);
    setCurrentCharFormat(cf);
}

}  // namespace velmora
