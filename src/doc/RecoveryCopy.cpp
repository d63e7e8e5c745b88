#include "RecoveryCopy.h"

#include "RtfFile.h"
#include "Tesslar2Doc.h"
#include "ViewSnapshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <new>

namespace velmora {

namespace {

// A copy is three files of one stem: the document as RTF, what the document knows of its own
// file as JSON, and the lock its editor holds while it runs.
QString CopyFile(const QString& strStem) { return strStem + QStringLiteral(".rtf"); }
QString AboutFile(const QString& strStem) { return strStem + QStringLiteral(".json"); }
QString LockFile(const QString& strStem) { return strStem + QStringLiteral(".lock"); }

QByteArray AboutDocument(const CTesslar2Doc& doc) {
    const FileVersion version = doc.VersionRead();
    QJsonObject about{{QStringLiteral("path"), doc.GetPathName()},
                      {QStringLiteral("size"), version.nSize},
                      {QStringLiteral("unkept"), doc.UnkeptInFile()}};
    if (!version.IsEmpty()) about.insert(QStringLiteral("modified"), version.modified.toMSecsSinceEpoch());
    return QJsonDocument(about).toJson(QJsonDocument::Compact);
}

void ReadAbout(const QString& strStem, LeftCopy& copy) {
    QFile file(AboutFile(strStem));
    if (!file.open(QIODevice::ReadOnly)) return;  // a copy of a document never saved, as far as is known
    const QJsonObject about = QJsonDocument::fromJson(file.readAll()).object();
    copy.strPath = about.value(QStringLiteral("path")).toString();
    copy.nUnkept = static_cast<uint8_t>(about.value(QStringLiteral("unkept")).toInt());
    const qint64 nSize = about.value(QStringLiteral("size")).toInteger(-1);
    if (nSize >= 0 && about.contains(QStringLiteral("modified"))) {
        copy.versionRead = {nSize, QDateTime::fromMSecsSinceEpoch(about.value(QStringLiteral("modified")).toInteger())};
    }
}

void RemoveFiles(const QString& strStem) {
    QFile::remove(CopyFile(strStem));
    QFile::remove(AboutFile(strStem));
}

}  // namespace

QString RecoveryFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/recovery");
}

void LeftCopy::Discard() {
    const QString strStem = strCopy.chopped(4);
    RemoveFiles(strStem);
    QFile::remove(LockFile(strStem));
    lock.Unlock();
}

std::optional<LeftCopy> TakeLeftCopy(const QString& strFolder) {
    const QDir folder(strFolder);
    std::optional<LeftCopy> newest;
    for (const QFileInfo& lockInfo : folder.entryInfoList({QStringLiteral("*.lock")}, QDir::Files)) {
        const QString strStem = folder.filePath(lockInfo.completeBaseName());
        CFileLock lock;
        if (!lock.TryLock(lockInfo.filePath())) continue;  // its editor is running, or another start has it
        const QFileInfo copyInfo(CopyFile(strStem));
        if (!copyInfo.exists()) {
            // Its editor ended with nothing unsaved, but without the chance to tidy up.
            QFile::remove(AboutFile(strStem));
            QFile::remove(lockInfo.filePath());
            continue;
        }
        if (newest && newest->written >= copyInfo.lastModified()) continue;
        newest.emplace();
        newest->strCopy = copyInfo.filePath();
        newest->written = copyInfo.lastModified();
        newest->lock = std::move(lock);
        ReadAbout(strStem, *newest);
    }
    return newest;
}

CRecoveryCopy::CRecoveryCopy(CTesslar2Doc& doc, const QString& strFolder, int nDelayMs)
    : m_doc(doc),
      m_strStem(QDir(strFolder).filePath(
          QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch()))),
      m_nDelayMs(nDelayMs),
      m_nNextDelayMs(nDelayMs) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CRecoveryCopy::WriteNow);
    QTextDocument* pText = doc.GetTextDocument();
    connect(pText, &QTextDocument::contentsChanged, this, &CRecoveryCopy::Schedule);
    // Saved, or undone back to what the file holds: nothing is left to lose.
    connect(pText, &QTextDocument::modificationChanged, this, [this](bool bModified) {
        if (!bModified) Remove();
    });
}

CRecoveryCopy::~CRecoveryCopy() {
    if (!m_bLeft) RemoveFiles(m_strStem);
    if (!QFile::exists(CopyFile(m_strStem))) QFile::remove(LockFile(m_strStem));
}

QString CRecoveryCopy::CopyPath() const { return CopyFile(m_strStem); }

void CRecoveryCopy::Schedule() {
    // Not restarted by each change: during long typing the copy is still written every while.
    if (!m_timer.isActive() && !m_bLeft) m_timer.start(m_nNextDelayMs);
}

void CRecoveryCopy::WriteNow() {
    m_timer.stop();
    if (m_bLeft) return;
    if (!m_doc.IsModified()) {
        Remove();
        return;
    }
    QElapsedTimer clock;
    clock.start();
    if (!Write() && !m_bWarned) {
        m_bWarned = true;
        std::fprintf(stderr, "velmora: cannot keep a copy of the unsaved changes in %s\n",
                     qPrintable(QDir::toNativeSeparators(QFileInfo(m_strStem).absolutePath())));
    }
    // A document that takes long to write is written less often.
    m_nNextDelayMs = static_cast<int>(std::clamp<qint64>(20 * clock.elapsed(), m_nDelayMs, 600'000));
}

bool CRecoveryCopy::Write() {
    if (!m_lock.IsLocked()) {
        // The copies hold the user's text: the folder is the user's alone.
        const QString strFolder = QFileInfo(m_strStem).absolutePath();
        if (!QDir().mkpath(strFolder) ||
            !QFile::setPermissions(strFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            return false;
        // Another start looking for left copies may hold the new lock file for a moment, and
        // remove it as one left with no copy.
        if (!m_lock.TryLock(LockFile(m_strStem)) && !m_lock.TryLock(LockFile(m_strStem))) return false;
    }
    QSaveFile about(AboutFile(m_strStem));
    if (!about.open(QIODevice::WriteOnly) || about.write(AboutDocument(m_doc)) < 0 || !about.commit()) return false;
    try {
        TextModel model;
        SnapshotDocument(*m_doc.GetTextDocument(), model, false);
        QString strError;
        return SaveRtfFile(CopyFile(m_strStem), model, strError);
    } catch (const std::bad_alloc&) {
        return false;  // the document itself is still whole; the next change tries again
    }
}

void CRecoveryCopy::Remove() {
    m_timer.stop();
    if (m_lock.IsLocked()) RemoveFiles(m_strStem);
}

void CRecoveryCopy::Leave() {
    m_timer.stop();
    m_bLeft = true;
    m_lock.Unlock();
}

}  // namespace velmora
