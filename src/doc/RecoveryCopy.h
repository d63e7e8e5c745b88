#pragma once
// A copy of the document's unsaved changes, kept on disk while the editor runs, so that a crash,
// a kill or the end of the desktop session does not lose them: the next start offers the copy
// back. Each running editor writes its own copy and holds its lock; a copy whose lock nobody
// holds was left by an editor that ended without saving.

#include "FileLock.h"
#include "FileVersion.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <future>
#include <optional>

namespace velmora {

class CTesslar2Doc;

// Where copies are kept: a folder of the user's data, which the user can look into.
QString RecoveryFolder();

// A copy left by an editor that ended without saving, held by this process while it deals with it.
struct LeftCopy {
    QString strCopy;          // the document as RTF
    QString strPath;          // the document's own file; empty for one never saved
    FileVersion versionRead;  // of that file, when the document last read or wrote it
    uint8_t nUnkept = 0;      // what that file holds and the document does not (RtfUnkept)
    QDateTime written;        // when the copy was last written
    CFileLock lock;

    // Removes the copy: its changes are in a document again, or the user does not want them.
    void Discard();
};

// The newest copy in strFolder that no running editor holds, now held by this process.
std::optional<LeftCopy> TakeLeftCopy(const QString& strFolder);

class CRecoveryCopy : public QObject {
    Q_OBJECT
public:
    // Keeps the copy of doc in strFolder. It is written nDelayMs after a change (longer for a
    // document whose text takes long to take, so that typing seldom waits on it), and removed
    // when the document has no unsaved changes.
    CRecoveryCopy(CTesslar2Doc& doc, const QString& strFolder, int nDelayMs = 5000);
    // Removes the copy: the editor ends as the user chose.
    ~CRecoveryCopy() override;

    // Brings the copy up to date now, and returns once it is on disk: written while the document
    // has unsaved changes, else removed.
    void WriteNow();
    // Lets the copy outlive this editor, for the next start to offer: the editor is ending
    // without a chance to ask about saving.
    void Leave();
    // The copy's RTF file, whether or not it is written.
    QString CopyPath() const;

private:
    void Schedule();
    void OnTimer();
    // Takes the document's text and writes it on a thread of its own.
    void StartWriting();
    bool TakeLock();
    // Waits for the copy being written.
    void FinishWriting();
    void SayCannotWrite();
    void Remove();

    CTesslar2Doc& m_doc;
    QString m_strStem;  // the copy's files, without their extensions
    int m_nDelayMs;
    int m_nNextDelayMs;
    QTimer m_timer;
    CFileLock m_lock;
    std::future<bool> m_writing;  // the copy being written, on a thread of its own
    bool m_bLeft = false;
    bool m_bWarned = false;
};

}  // namespace velmora
