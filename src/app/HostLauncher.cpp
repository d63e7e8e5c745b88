#include "HostLauncher.h"

#include "host/TopLevelWindows.h"
#include "host/WineSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

// How long to look for the started program's first window, and how often, in milliseconds.
// The look-up is an event-loop timer, so the editor stays responsive meanwhile.
constexpr int kMaximiseWaitMs = 15000;
constexpr int kMaximisePollMs = 200;

// Wine takes the code page of its Windows programs from the locale; Hebrew gives 1255, so the
// clipboard's plain text (CF_TEXT) reaches the authoring tool as Windows-1255. Wine reads the
// name itself, so this works also where the glibc locale was never generated.
constexpr const char* WINE_LOCALE = "he_IL.UTF-8";
constexpr const char* WINE_HELPER_NAME = "velmora-wine-helper.exe";

// Looks for the started program's windows until it finds them or gives up, then deletes itself.
// A program cannot be told through exec to start maximised, so the window is maximised once it
// is there.
void MaximiseWhenShown(qint64 nPid) {
    auto* pTimer = new QTimer(QCoreApplication::instance());
    QElapsedTimer clock;
    clock.start();
    QObject::connect(pTimer, &QTimer::timeout, pTimer, [pTimer, clock, nPid] {
        if (velmora::MaximiseWindowsOfProcess(nPid) > 0 || clock.elapsed() > kMaximiseWaitMs) {
            pTimer->stop();
            pTimer->deleteLater();
        }
    });
    pTimer->start(kMaximisePollMs);
}

void ReportStartProblem(const std::string& strProgramPath, const std::string& strWhy) {
    std::fprintf(stderr, "velmora: cannot start %s: %s\n", strProgramPath.c_str(), strWhy.c_str());
    std::fflush(stderr);
}

bool StartNativeProgram(const std::string& strProgramPath, const std::string& strWorkDir) {
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

// The helper starts the program with the maximised show state and tells by its exit code
// whether it runs. Without the helper, Wine's own "start /max" does the starting; it reports
// problems in a window of its own.
bool StartWindowsProgram(const std::string& strProgramPath, const std::string& strWorkDir,
                         const HostStartFailed& onLateFailure) {
    const std::string strHelper = WineHelperPath();
    const QString strProgram = QString::fromStdString(strProgramPath);
    const QStringList arguments = strHelper.empty()
                                      ? QStringList{"start", "/max", "/unix", strProgram}
                                      : QStringList{QString::fromStdString(strHelper), "--start", strProgram};
    // Not parented: the process object outlives nothing it must not. If Velmora ends first the
    // object is never destroyed, so Wine is never killed, as for any detached program.
    auto* pProcess = new QProcess;
    if (!PrepareWineProcess(*pProcess, arguments, strWorkDir)) {
        delete pProcess;
        ReportStartProblem(strProgramPath,
                           "it is a Windows program and Wine is not installed "
                           "(no wine or wine64 on PATH)");
        return false;
    }
    auto finish = [pProcess, strProgramPath, onLateFailure](const std::string& strWhy) {
        pProcess->deleteLater();
        if (strWhy.empty()) {
            return;
        }
        ReportStartProblem(strProgramPath, strWhy);
        if (onLateFailure) {
            onLateFailure();
        }
    };
    QObject::connect(pProcess, &QProcess::finished, pProcess, [finish](int nExitCode, QProcess::ExitStatus status) {
        finish(status == QProcess::CrashExit ? "Wine stopped unexpectedly" : velmora::WineStartProblem(nExitCode));
    });
    QObject::connect(pProcess, &QProcess::errorOccurred, pProcess, [pProcess, finish](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            finish("Wine (" + pProcess->program().toStdString() + ") could not be run");
        }
    });
    pProcess->start();
    return true;
}

}  // namespace

bool PrepareWineProcess(QProcess& process, const QStringList& arguments, const std::string& strWorkDir) {
    const char* pszPath = std::getenv("PATH");
    const std::string strLoader = velmora::FindWineLoader(pszPath != nullptr ? pszPath : "");
    if (strLoader.empty()) {
        return false;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(WINE_LOCALE));
    // Wine's debugging messages would fill the user's terminal; a user who asks for them gets them.
    if (!environment.contains(QStringLiteral("WINEDEBUG"))) {
        environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    }
    process.setProgram(QString::fromStdString(strLoader));
    process.setArguments(arguments);
    process.setWorkingDirectory(QString::fromStdString(strWorkDir));
    process.setProcessEnvironment(environment);
    // No pipes: the started Windows program inherits these descriptors and would keep a pipe open
    // for as long as it runs.
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    return true;
}

std::string WineHelperPath() {
    if (QCoreApplication::instance() == nullptr) {
        return {};
    }
    // Beside the program in a build folder; an installed one keeps Windows programs out of bin.
    const QString strDir = QCoreApplication::applicationDirPath();
    for (const QString& strCandidate : {strDir + QLatin1Char('/'), strDir + QStringLiteral("/../libexec/velmora/")}) {
        const QFileInfo helper(strCandidate + QLatin1String(WINE_HELPER_NAME));
        if (helper.isFile()) {
            return helper.absoluteFilePath().toStdString();
        }
    }
    return {};
}

bool StartHostProgram(const std::string& strProgramPath, const std::string& strWorkDir,
                      const HostStartFailed& onLateFailure) {
    // A Windows program never runs natively here, and where binfmt_misc would hand it to Wine it
    // would come up neither maximised nor in the Hebrew code page, so it goes to Wine directly.
    if (velmora::IsWindowsProgram(strProgramPath)) {
        return StartWindowsProgram(strProgramPath, strWorkDir, onLateFailure);
    }
    return StartNativeProgram(strProgramPath, strWorkDir);
}
