#pragma once
// The editing view: a right-to-left rich-text editor over the document's QTextDocument, with the
// program's commands. Its parts live in files of their own: typing (ViewTyping.cpp), the
// clipboard (ViewClipboard.cpp), find and replace (ViewFind.cpp), printing (ViewPrint.cpp) and
// the conversion commands (ConversionCommands.cpp).

#include "ConversionEngine.h"
#include "HostCheck.h"
#include "dialogs/ProgressDlg.h"

#include <QPointer>
#include <QTextDocument>
#include <QTextEdit>

#include <functional>

class QKeyEvent;
class QMimeData;
class QPrinter;

namespace velmora {

class CFindReplaceDlg;
class CTesslar2Doc;
class IViewFrame;

class CTesslar2View : public QTextEdit {
    Q_OBJECT
public:
    CTesslar2View(CTesslar2Doc* pDoc, QWidget* pParent = nullptr);
    ~CTesslar2View() override;

    CTesslar2Doc* GetDocument() const { return m_pDoc; }
    // The window the view reports to (status text, line lengths, right-button menu); nullptr for
    // none.
    void SetFrame(IViewFrame* pFrame) { m_pFrame = pFrame; }
    // How the conversion commands learn whether their authoring tool is there; without one they
    // refuse as when no tool was recognised.
    void SetHostCheck(HostCheck check) { m_hostCheck = std::move(check); }

    // The conversion state the commands keep between the pieces of one conversion
    // (m_nLineAlign, m_nOpenAlign, m_nTotalChars, m_nDoneChars) and the conversion itself.
    CConversionEngine m_engine;
    // The progress window of the conversion commands.
    CProgressDlg m_wndProgress;

    // After a new or opened document: print margins of 720 twips, the caret at the start.
    void OnInitialUpdate();
    // The printer of Print, Print Preview and Print Setup; gets the print margins at once.
    void SetPrinter(QPrinter* pPrinter);
    // The X keyboard group (0..3) that is the Hebrew layout, -1 when there is none. With it, a key
    // typed while that group is active gives Hebrew text (the group travels in the key event).
    void SetHebrewKeyboardGroup(int nGroup) { m_nHebrewGroup = nGroup; }
    // Replaces the look at the key event by another answer to "is the Hebrew layout active?".
    void SetHebrewLayoutQuery(std::function<bool()> query) { m_hebrewLayout = std::move(query); }

    // Searches strText from the caret (or the selection's far end) in the direction flags say,
    // going round the document once; selects and returns true when found.
    bool FindAndSelect(const QString& strText, QTextDocument::FindFlags flags);
    // Replaces every occurrence; returns how many.
    int ReplaceAll(const QString& strFind, const QString& strReplace, QTextDocument::FindFlags flags);
    // Hides (true) or shows again (false) the selection's highlight, so that a command can move
    // the selection without the user seeing it move; the selection itself stays as it is.
    void HideSelection(bool bHide);
    // Pastes the clipboard's strMimeType content (Paste Special).
    void PasteFormat(const QMimeData* pSource, const QString& strMimeType);

public slots:
    void OnSetLineLength();
    // The conversion and clipboard commands.
    void OnCopyToHtml();
    void OnPasteFromInternet();
    void OnNonstyledText();
    void OnClearClipboard();
    void OnEraseScreen();
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    void OnEditFind();
    void OnEditRepeat();
    void OnEditReplace();
    void OnEditPasteSpecial();

protected:
    bool event(QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dragMoveEvent(QDragMoveEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* pSource) override;

private:
    bool TakeDraggedFile(QDragMoveEvent* pEvent) const;
    // The three refusals of the conversion commands: no host, a host other than Dreamweaver or
    // UltraDev, and its window closed. Shows the message and returns false.
    bool CheckHostForConversion();
    void RunConversionCommand(bool bHtml);
    void PrintDocument(QPrinter* pPrinter);
    void ShowFindDialog(bool bReplace);
    void InsertTypedText(const QString& strText, bool bHebrewLayout);
    // Turns the line breaks inside pasted paragraphs ([nStart, nEnd), Qt positions) into
    // paragraph breaks, as every line break of the documents the view reads is one.
    void BreakPastedLines(int nStart, int nEnd);
    // Pastes the RTF of pSource through the RTF reader; false when it holds none it can read.
    bool InsertRtf(const QMimeData* pSource);
    void ApplyPastedCharSets(int nStart, int nEnd, const QMimeData* pSource);
    bool IsHebrewLayout(const QKeyEvent& event) const;

    CTesslar2Doc* m_pDoc;
    IViewFrame* m_pFrame = nullptr;
    HostCheck m_hostCheck;
    QPrinter* m_pPrinter = nullptr;
    std::function<bool()> m_hebrewLayout;
    int m_nHebrewGroup = -1;
    QPointer<CFindReplaceDlg> m_pFindDlg;
    QString m_strLastFind;
    QTextDocument::FindFlags m_lastFindFlags;
};

}  // namespace velmora
