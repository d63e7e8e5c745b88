#pragma once
// The editing document: the QTextDocument the view shows, the file it came from and whether it
// changed since. Files are RTF.

#include "FileVersion.h"

#include <QObject>
#include <QString>

#include <cstdint>

class QTextDocument;

namespace velmora {

struct LeftCopy;

class CTesslar2Doc : public QObject {
    Q_OBJECT
public:
    explicit CTesslar2Doc(QObject* pParent = nullptr);

    QTextDocument* GetTextDocument() const { return m_pTextDocument; }
    QString GetPathName() const { return m_strPathName; }
    // "Document" for a new document, else the file's name with its extension.
    QString GetTitle() const;
    bool IsModified() const;
    void SetModifiedFlag(bool bModified);

    // Empties the document: one empty right-aligned right-to-left paragraph in the Hebrew typing
    // format, no file name, not modified. Returns true.
    bool OnNewDocument();
    // Reads the RTF file strPath. On failure the document keeps what it held and strError says why.
    // A file cut short is shown up to its end; then *pWarning, if given, names the file and says so,
    // else it is emptied.
    bool OnOpenDocument(const QString& strPath, QString& strError, QString* pWarning = nullptr);
    // Reads the copy an editor left of its unsaved changes: the document is as it was then, under
    // its own file's name and still to be saved. On failure the document keeps what it held.
    bool OnOpenLeftCopy(const LeftCopy& copy, QString& strError);
    // Writes the document as RTF to strPath and takes that name. On failure nothing changes.
    bool OnSaveDocument(const QString& strPath, QString& strError);
    // What the file of GetPathName() shows that the document does not hold (RtfUnkept), so that
    // saving over it would lose it; 0 for a new document and once the document is saved.
    uint8_t UnkeptInFile() const { return m_nUnkeptInFile; }
    // The version of GetPathName()'s file when the document last read or wrote it.
    FileVersion VersionRead() const { return m_versionRead; }
    // The version of GetPathName()'s file on disk now.
    FileVersion FileVersionOnDisk() const;
    // The file of GetPathName() is no longer as the document last read or wrote it: another
    // program saved it since, and saving over it would lose what that program wrote.
    bool FileChangedSince() const;

signals:
    // The title or the path changed (new, open, save as).
    void TitleChanged();

private:
    void SetPathName(const QString& strPath);

    QTextDocument* m_pTextDocument;
    QString m_strPathName;
    uint8_t m_nUnkeptInFile = 0;
    FileVersion m_versionRead;  // of the file, when the document last read or wrote it
};

// The font a new document and every character without a font of its own shows in.
QFont DefaultDocumentFont();

}  // namespace velmora
