#include "HostLauncher.h"

#include "host/TopLevelWindows.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace {

// How long to look for the started program's first window, and how often, in milliseconds.
// The look-up is an event-loop timer, so the editor stays responsive meanwhile.
constexpr int MAXIMISE_WAIT_MS = 15000;
constexpr int MAXIMISE_POLL_MS = 200;

// Looks for the started program's windows until it finds them or gives up, then deletes itself.
// A program cannot be told through exec to start maximised, so the window is maximised once it
// is there.
void MaximiseWhenShown(qint64 nPid) {
    auto* pTimer = new QTimer(QCoreApplication::instance());
    QElapsedTimer clock;
    clock.start();
    QObject::connect(pTimer, &QTimer::timeout, pTimer, [pTimer, clock, nPid] {
        if (velmora::MaximiseWindowsOfProcess(nPid) > 0 || clock.elapsed() > MAXIMISE_WAIT_MS) {
            pTimer->stop();
            pTimer->deleteLater();
        }
    });
    pTimer->start(MAXIMISE_POLL_MS);
}

}  // namespace

bool StartHostProgram(const std::string& strProgramPath, const std::string& strWorkDir) {
    qint64 nPid = 0;
    // startDetached reports a failed exec (missing file, no execute permission, unknown format)
    // as false, whatever the reason; every one of them is a failure to start.
    if (!QProcess::startDetached(QString::fromStdString(strProgramPath), QStringList(),
                                 QString::fromStdString(strWorkDir), &nPid)) {
        return false;
    }
    if (QCoreApplication::instance() != nullptr) {
        MaximiseWhenShown(nPid);
    }
    return true;
}
