#include "Tesslar2Doc.h"

#include "CharFormat.h"
#include "RecoveryCopy.h"
#include "RtfFile.h"
#include "ViewSnapshot.h"
#include "richtext/DocumentBuilder.h"
#include "richtext/FormatMapping.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <new>

namespace velmora {

QFont DefaultDocumentFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(kDefaultHeightTwips / 20);
    return font;
}

CTesslar2Doc::CTesslar2Doc(QObject* pParent) : QObject(pParent), m_pTextDocument(new QTextDocument(this)) {
    m_pTextDocument->setDefaultFont(DefaultDocumentFont());
    QTextOption option = m_pTextDocument->defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    m_pTextDocument->setDefaultTextOption(option);
    OnNewDocument();
}

QString CTesslar2Doc::GetTitle() const {
    return m_strPathName.isEmpty() ? QStringLiteral("Document") : QFileInfo(m_strPathName).fileName();
}

bool CTesslar2Doc::IsModified() const { return m_pTextDocument->isModified(); }

void CTesslar2Doc::SetModifiedFlag(bool bModified) { m_pTextDocument->setModified(bModified); }

void CTesslar2Doc::SetPathName(const QString& strPath) {
    m_strPathName = strPath;
    emit TitleChanged();
}

bool CTesslar2Doc::OnNewDocument() {
    TextModel empty;
    empty.SetParagraphAlignment(PFA_RIGHT);
    empty.SetParagraphRtl(true);
    empty.SetDefaultFormat(HebrewTypingFormat());
    FillDocument(empty, *m_pTextDocument);
    QTextCursor cursor(m_pTextDocument);
    cursor.setBlockCharFormat(QtFromCharFormat(HebrewTypingFormat()));
    SetPathName(QString());
    m_nUnkeptInFile = 0;
    m_versionRead = FileVersionOnDisk();
    return true;
}

namespace {

// A failure names the file, then says why.
QString FileError(const QString& strPath, const QString& strReason) {
    return QDir::toNativeSeparators(strPath) + QStringLiteral(": ") + strReason;
}

// Shows model, read from strPath, as doc's text. When showing it runs out of memory part way, an
// empty document is better than a fragment under the file's name, which Save would then overwrite.
bool ShowReadModel(const TextModel& model, CTesslar2Doc& doc, const QString& strPath, QString& strError) {
    try {
        FillDocument(model, *doc.GetTextDocument());
        return true;
    } catch (const std::bad_alloc&) {
        doc.OnNewDocument();
        strError = FileError(strPath, QStringLiteral("there is not enough memory to show the file"));
        return false;
    }
}

}  // namespace

FileVersion CTesslar2Doc::FileVersionOnDisk() const {
    const QFileInfo info(m_strPathName);
    if (m_strPathName.isEmpty() || !info.exists()) return {};
    return {info.size(), info.lastModified()};
}

bool CTesslar2Doc::FileChangedSince() const {
    const FileVersion now = FileVersionOnDisk();
    return !m_versionRead.IsEmpty() && !now.IsEmpty() && now != m_versionRead;
}

bool CTesslar2Doc::OnOpenDocument(const QString& strPath, QString& strError, QString* pWarning) {
    TextModel model;
    QString strCutShort;
    uint8_t nUnkept = 0;
    if (!LoadRtfFile(strPath, model, strError, &strCutShort, &nUnkept)) {
        strError = FileError(strPath, strError);
        return false;
    }
    if (!ShowReadModel(model, *this, strPath, strError)) return false;
    SetPathName(QFileInfo(strPath).absoluteFilePath());
    m_nUnkeptInFile = nUnkept;
    m_versionRead = FileVersionOnDisk();
    if (pWarning) {
        *pWarning =
            strCutShort.isEmpty()
                ? QString()
                : FileError(strPath, strCutShort + QStringLiteral(", so it may have been cut short; what it holds "
                                                                  "up to there is shown."));
    }
    return true;
}

bool CTesslar2Doc::OnOpenLeftCopy(const LeftCopy& copy, QString& strError) {
    TextModel model;
    if (!LoadRtfFile(copy.strCopy, model, strError)) {
        strError = FileError(copy.strCopy, strError);
        return false;
    }
    if (!ShowReadModel(model, *this, copy.strCopy, strError)) return false;
    SetPathName(copy.strPath);
    m_nUnkeptInFile = copy.nUnkept;
    m_versionRead = copy.versionRead;
    m_pTextDocument->setModified(true);
    return true;
}

bool CTesslar2Doc::OnSaveDocument(const QString& strPath, QString& strError) {
    // On failure the document stays as it is, modified, and the old file stays whole.
    try {
        TextModel model;
        SnapshotDocument(*m_pTextDocument, model, false);
        if (!SaveRtfFile(strPath, model, strError)) {
            strError = FileError(strPath, strError);
            return false;
        }
    } catch (const std::bad_alloc&) {
        strError = FileError(strPath, QStringLiteral("not enough memory"));
        return false;
    }
    m_pTextDocument->setModified(false);
    SetPathName(QFileInfo(strPath).absoluteFilePath());
    m_nUnkeptInFile = 0;
    m_versionRead = FileVersionOnDisk();
    return true;
}

}  // namespace velmora
