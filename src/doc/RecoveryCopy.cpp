#include "RecoveryCopy.h"

#include "AtomicFile.h"
#include "NativePath.h"
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
#include <QStandardPaths>
#include <QTextDocument>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <system_error>

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
    connect(&m_timer, &QTimer::timeout, this, &CRecoveryCopy::OnTimer);
    QTextDocument* pText = doc.GetTextDocument();
    connect(pText, &QTextDocument::contentsChanged, this, &CRecoveryCopy::Schedule);
    // Saved, or undone back to what the file holds: nothing is left to lose.
    connect(pText, &QTextDocument::modificationChanged, this, [this](bool bModified) {
        if (!bModified) Remove();
    });
}

CRecoveryCopy::~CRecoveryCopy() {
    FinishWriting();
    if (!m_bLeft) RemoveFiles(m_strStem);
    if (!QFile::exists(CopyFile(m_strStem))) QFile::remove(LockFile(m_strStem));
}

QString CRecoveryCopy::CopyPath() const { return CopyFile(m_strStem); }

void CRecoveryCopy::Schedule() {
    // Not restarted by each change: during long typing the copy is still written every while.
    if (!m_timer.isActive() && !m_bLeft) m_timer.start(m_nNextDelayMs);
}

void CRecoveryCopy::OnTimer() {
    // A copy still being written (a slow disk) is not waited for: the next one comes after it.
    if (m_writing.valid() && m_writing.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        m_timer.start(m_nNextDelayMs);
        return;
    }
    StartWriting();
}

void CRecoveryCopy::WriteNow() {
    StartWriting();
    FinishWriting();
}

void CRecoveryCopy::StartWriting() {
    m_timer.stop();
    if (m_bLeft) return;
    FinishWriting();
    if (!m_doc.IsModified()) {
        Remove();
        return;
    }
    if (!TakeLock()) {
        SayCannotWrite();
        return;
    }
    // Only taking the text holds the editor up; the copy is written on a thread of its own.
    QElapsedTimer clock;
    clock.start();
    auto pModel = std::make_shared<TextModel>();
    try {
        SnapshotDocument(*m_doc.GetTextDocument(), *pModel, false);
    } catch (const std::bad_alloc&) {
        return;  // the document itself is still whole; the next change tries again
    }
    // A document whose text takes long to take is copied less often.
    m_nNextDelayMs = static_cast<int>(std::clamp<qint64>(20 * clock.elapsed(), m_nDelayMs, 600'000));
    auto write = [strStem = m_strStem, about = AboutDocument(m_doc), pModel] {
        std::string strError;
        QString strRtfError;
        try {
            return WriteFileAtomically(NativePath(AboutFile(strStem)), about.toStdString(), strError) &&
                   SaveRtfFile(CopyFile(strStem), *pModel, strRtfError);
        } catch (...) {
            return false;  // a copy that cannot be written must not take the editor down with it
        }
    };
    try {
        m_writing = std::async(std::launch::async, write);
    } catch (const std::system_error&) {
        if (!write()) SayCannotWrite();  // no thread to be had: written here, then
    }
}

bool CRecoveryCopy::TakeLock() {
    if (m_lock.IsLocked()) return true;
    // The copies hold the user's text: the folder is the user's alone.
    const QString strFolder = QFileInfo(m_strStem).absolutePath();
    if (!QDir().mkpath(strFolder) ||
        !QFile::setPermissions(strFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return false;
    // Another start looking for left copies may hold the new lock file for a moment, and remove
    // it as one left with no copy.
    return m_lock.TryLock(LockFile(m_strStem)) || m_lock.TryLock(LockFile(m_strStem));
}

void CRecoveryCopy::FinishWriting() {
    if (m_writing.valid() && !m_writing.get()) SayCannotWrite();
}

void CRecoveryCopy::SayCannotWrite() {
    // Once: the editor goes on as before, and a line each few seconds would only be noise.
    if (m_bWarned) return;
    m_bWarned = true;
    std::fprintf(stderr, "velmora: cannot keep a copy of the unsaved changes in %s\n",
                 qPrintable(QDir::toNativeSeparators(QFileInfo(m_strStem).absolutePath())));
}

void CRecoveryCopy::Remove() {
    m_timer.stop();
    FinishWriting();
    if (m_lock.IsLocked()) RemoveFiles(m_strStem);
}

void CRecoveryCopy::Leave() {
    m_timer.stop();
    FinishWriting();
    m_bLeft = true;
    m_lock.Unlock();
}

}  // namespace velmora
