// The main window's file commands and its recent-file list.

#include "MainFrame.h"

#include "CommandIds.h"
#include "CommandTable.h"
#include "PrintSetupDlg.h"
#include "dialogs/AppSettings.h"
#include "dialogs/MessageBox.h"
#include "doc/RecoveryCopy.h"
#include "doc/Tesslar2Doc.h"
#include "doc/Tesslar2View.h"
#include "rtf/RtfUnkept.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace velmora {

namespace {

// RTF first, so that it is the filter the dialogs start with.
constexpr const char* kFileFilters = "Rich Text Format (*.rtf);;All Files (*)";

// Where Open starts: the folder of the document shown, else that of the file used last (as Windows
// remembers a program's last folder), else the working folder, which is the authoring tool's.
QString OpenDialogFolder(const QString& strDocument, const QStringList& recentFiles) {
    const QString strFile = strDocument.isEmpty() && !recentFiles.isEmpty() ? recentFiles.constFirst() : strDocument;
    if (strFile.isEmpty()) return {};
    const QString strFolder = QFileInfo(strFile).absolutePath();
    return QFileInfo(strFolder).isDir() ? strFolder : QString();
}

// What a file holds and the editor does not, for a sentence: "pictures, footnotes and hidden text".
QString UnkeptNames(uint8_t nUnkept) {
    QStringList names;
    if (nUnkept & kUnkeptPictures) names << QStringLiteral("pictures");
    if (nUnkept & kUnkeptHeadersFooters) names << QStringLiteral("headers or footers");
    if (nUnkept & kUnkeptNotes) names << QStringLiteral("footnotes");
    if (nUnkept & kUnkeptComments) names << QStringLiteral("comments");
    if (nUnkept & kUnkeptHiddenText) names << QStringLiteral("hidden text");
    const QString strLast = names.takeLast();
    return names.isEmpty() ? strLast : names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + strLast;
}

// What saving the document to strPath would lose, when strPath is the document's own file: another
// program's later changes, else what the editor read from it but does not keep. Empty: nothing.
QString WhatSavingOverLoses(const CTesslar2Doc& doc, const QString& strPath) {
    const QFileInfo file(strPath);
    if (!file.exists() || file != QFileInfo(doc.GetPathName())) return {};
    const QString strFile = QDir::toNativeSeparators(strPath);
    if (doc.FileChangedSince()) {
        return QStringLiteral(
                   "%1 has been changed by another program since Velmora read it. Saving over the file loses "
                   "those changes.")
            .arg(strFile);
    }
    if (doc.UnkeptInFile() == 0) return {};
    return QStringLiteral("%1 has %2, which Velmora does not keep. Saving over the file loses them.")
        .arg(strFile, UnkeptNames(doc.UnkeptInFile()));
}

// strError names the file and says why it would not open.
void ShowOpenFailure(QWidget* pParent, const QString& strError) {
    ShowMessageBox(pParent, QStringLiteral("Failed to open document.\n\n%1").arg(strError));
}

enum class SaveOver {
    Here,
    Elsewhere,
    Not
};

// Saving over the document's file would lose what strWhy says: the user chooses. Save As, which
// leaves the file as it is, is the default.
SaveOver AskToSaveOver(QWidget* pParent, const QString& strWhy) {
    QMessageBox box(QMessageBox::Warning, kMessageBoxTitle, strWhy, QMessageBox::Save | QMessageBox::Cancel, pParent);
    QPushButton* pElsewhere = box.addButton(QStringLiteral("Save &As..."), QMessageBox::AcceptRole);
    box.setDefaultButton(pElsewhere);
    box.exec();
    if (box.clickedButton() == pElsewhere) return SaveOver::Elsewhere;
    return box.clickedButton() == box.button(QMessageBox::Save) ? SaveOver::Here : SaveOver::Not;
}

}  // namespace

void CMainFrame::UpdateTitle() { setWindowTitle(m_pDoc->GetTitle() + QStringLiteral(" - ") + kMessageBoxTitle); }

bool CMainFrame::SaveModified() {
    if (!m_pDoc->IsModified()) return true;
    QMessageBox box(QMessageBox::Warning, kMessageBoxTitle,
                    QStringLiteral("Save changes to %1?")
                        .arg(m_pDoc->GetPathName().isEmpty() ? m_pDoc->GetTitle()
                                                             : QDir::toNativeSeparators(m_pDoc->GetPathName())),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    switch (box.exec()) {
    case QMessageBox::Yes: return OnFileSave();
    case QMessageBox::No: return true;
    default: return false;
    }
}

void CMainFrame::OnFileNew() {
    if (!SaveModified()) return;
    m_pDoc->OnNewDocument();
    m_pView->OnInitialUpdate();
}

void CMainFrame::OnFileOpen() {
    const QString strPath = QFileDialog::getOpenFileName(this, QStringLiteral("Open"),
                                                         OpenDialogFolder(m_pDoc->GetPathName(), m_recentFiles.Files()),
                                                         QString::fromLatin1(kFileFilters));
    if (!strPath.isEmpty()) OpenDocumentFile(strPath);
}

bool CMainFrame::OpenDocumentFile(const QString& strPath, QString* pWarning) {
    return SaveModified() && ReadDocumentFile(strPath, pWarning);
}

bool CMainFrame::ReadDocumentFile(const QString& strPath, QString* pWarning) {
    QString strError;
    QString strWarning;
    if (!m_pDoc->OnOpenDocument(strPath, strError, &strWarning)) {
        ShowOpenFailure(this, strError);
        return false;
    }
    m_pView->OnInitialUpdate();
    AddToRecentFiles(strPath);
    if (pWarning) {
        *pWarning = strWarning;
    } else if (!strWarning.isEmpty()) {
        ShowMessageBox(this, strWarning);
    }
    return true;
}

// Users format in a word processor and convert here: coming back after another program saved the
// document's file, the user may read it again. Never in the middle of a command or over another
// window, and once for each version of the file the user chose not to read.
void CMainFrame::OfferToReadAgain() {
    if (m_bOfferingToRead || m_nCommandsRunning > 0 || QApplication::activeModalWidget() ||
        QApplication::activePopupWidget() || !m_pDoc->FileChangedSince())
        return;
    const QString strPath = m_pDoc->GetPathName();
    const FileVersion version = m_pDoc->FileVersionOnDisk();
    if (version == m_versionNotRead) return;
    const bool bModified = m_pDoc->IsModified();
    QMessageBox box(QMessageBox::Question, kMessageBoxTitle,
                    QDir::toNativeSeparators(strPath) +
                        (bModified ? QStringLiteral(" has been changed by another program. Read it again, losing "
                                                    "the changes made here?")
                                   : QStringLiteral(" has been changed by another program. Read it again?")),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(bModified ? QMessageBox::No : QMessageBox::Yes);
    m_bOfferingToRead = true;
    const bool bRead = box.exec() == QMessageBox::Yes;
    m_bOfferingToRead = false;
    if (!bRead) {
        m_versionNotRead = version;
        return;
    }
    // A file that cannot be read now leaves the document, and its changes, as they were. One that
    // can keeps the user's place, as far as its text reaches: mostly the text there is the same.
    const int nPosition = m_pView->textCursor().position();
    const int nScroll = m_pView->verticalScrollBar()->value();
    if (!ReadDocumentFile(strPath, nullptr)) return;
    QTextCursor cursor = m_pView->textCursor();
    cursor.setPosition(std::min(nPosition, m_pDoc->GetTextDocument()->characterCount() - 1));
    m_pView->setTextCursor(cursor);
    m_pView->verticalScrollBar()->setValue(nScroll);
}

bool CMainFrame::OfferLeftCopy(LeftCopy& copy) {
    const QString strDocument =
        copy.strPath.isEmpty() ? QStringLiteral("a new document") : QDir::toNativeSeparators(copy.strPath);
    const QString strText =
        QStringLiteral(
            "Velmora ended on %1 without saving the changes to %2, and kept a copy of them. Open the "
            "copy?\n\nNo deletes the copy; Cancel keeps it for the next start.")
            .arg(QLocale().toString(copy.written, QLocale::ShortFormat), strDocument);
    QMessageBox box(QMessageBox::Question, kMessageBoxTitle, strText,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Yes);
    LogShownMessage(kMessageBoxTitle, strText);
    switch (box.exec()) {
    case QMessageBox::Yes: break;
    case QMessageBox::No: copy.Discard(); return false;
    default: return false;
    }
    if (!SaveModified()) return false;
    QString strError;
    if (!m_pDoc->OnOpenLeftCopy(copy, strError)) {
        ShowOpenFailure(this, strError);
        return false;
    }
    m_pView->OnInitialUpdate();
    return true;
}

bool CMainFrame::DoSave(const QString& strPath) {
    const QString strLoses = WhatSavingOverLoses(*m_pDoc, strPath);
    if (!strLoses.isEmpty()) {
        switch (AskToSaveOver(this, strLoses)) {
        case SaveOver::Here: break;
        case SaveOver::Elsewhere: return OnFileSaveAs();
        case SaveOver::Not: return false;
        }
    }
    QString strError;
    if (!m_pDoc->OnSaveDocument(strPath, strError)) {
        ShowMessageBox(this, QStringLiteral("Failed to save document.\n\n%1").arg(strError));
        return false;
    }
    AddToRecentFiles(strPath);
    return true;
}

bool CMainFrame::OnFileSave() {
    if (m_pDoc->GetPathName().isEmpty()) return OnFileSaveAs();
    return DoSave(m_pDoc->GetPathName());
}

bool CMainFrame::OnFileSaveAs() {
    QFileDialog dialog(this, QStringLiteral("Save As"), QString(), QString::fromLatin1(kFileFilters));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("rtf"));
    dialog.selectFile(m_pDoc->GetPathName().isEmpty() ? m_pDoc->GetTitle() + QStringLiteral(".rtf")
                                                      : m_pDoc->GetPathName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    return DoSave(dialog.selectedFiles().constFirst());
}

void CMainFrame::OnFilePrintSetup() {
    CPrintSetupDlg dialog(m_pPrinter, this);
    dialog.exec();
}

void CMainFrame::OnAppExit() { close(); }

void CMainFrame::closeEvent(QCloseEvent* pEvent) {
    if (m_bDestroying || SaveModified()) {
        pEvent->accept();
    } else {
        pEvent->ignore();
    }
}

void CMainFrame::AddToRecentFiles(const QString& strPath) {
    m_recentFiles.Add(strPath);
    QSettings settings = AppSettings();
    m_recentFiles.WriteList(settings);
    RebuildRecentFiles();
}

void CMainFrame::ReadRecentFiles() {
    QSettings settings = AppSettings();
    m_recentFiles.ReadList(settings);
    RebuildRecentFiles();
}

void CMainFrame::RebuildRecentFiles() {
    for (QAction* pAction : m_recentActions) {
        m_pFileMenu->removeAction(pAction);
        if (pAction != m_pRecentPlaceholder) delete pAction;
    }
    m_recentActions.clear();
    for (int i = 0; i < CRecentFileList::kSize; ++i) m_actions.erase(ID_FILE_MRU_FILE1 + i);
    const QStringList& files = m_recentFiles.Files();
    if (files.isEmpty()) {
        m_pFileMenu->insertAction(m_pRecentEnd, m_pRecentPlaceholder);
        m_recentActions.push_back(m_pRecentPlaceholder);
        m_actions[ID_FILE_MRU_FILE1] = m_pRecentPlaceholder;
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        const int nId = ID_FILE_MRU_FILE1 + i;
        QAction* pAction = NewCommandAction(
            *FindCommand(nId), QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i])));
        m_pFileMenu->insertAction(m_pRecentEnd, pAction);
        m_recentActions.push_back(pAction);
        m_actions[nId] = pAction;
    }
}

void CMainFrame::OnOpenRecentFile(int nIndex) {
    const QStringList& files = m_recentFiles.Files();
    if (nIndex < 0 || nIndex >= files.size()) return;
    const QString strPath = files[nIndex];
    if (!QFileInfo::exists(strPath)) {
        m_recentFiles.Remove(nIndex);
        QSettings settings = AppSettings();
        m_recentFiles.WriteList(settings);
        RebuildRecentFiles();
    }
    OpenDocumentFile(strPath);
}

}  // namespace velmora
