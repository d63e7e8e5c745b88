#pragma once
// Starting the authoring tool as an independent program, natively or, for a Windows program,
// through Wine.

#include <functional>
#include <string>

class QProcess;
#include <QStringList>

// Called when starting a Windows program turns out to have failed after StartHostProgram has
// returned (Wine reports it once the program is, or is not, running).
using HostStartFailed = std::function<void()>;

// Starts strProgramPath with no arguments in strWorkDir, detached: Velmora never waits for it and
// does not stop it at exit. Once a native program shows its window it is maximised (see
// velmora::MaximiseWindowsOfProcess); a program that shows none within a few seconds is left as
// it is. A Windows program (velmora::IsWindowsProgram) is started through Wine instead, asked to
// show itself maximised, in a Hebrew locale so that Wine hands it the clipboard in Windows-1255.
// Returns false when the program could not be started at all: missing, not executable, not a
// format the system can run, no permission, or a Windows program and no Wine. When Wine was
// started but fails to start the program, onLateFailure is called later from the event loop.
// Every failure also writes one line on standard error saying why.
bool StartHostProgram(const std::string& strProgramPath, const std::string& strWorkDir,
                      const HostStartFailed& onLateFailure = {});

// Prepares pProcess to run a Windows program through Wine: the Wine loader as the program, the
// user's environment with the Hebrew locale, in strWorkDir. Returns false (and leaves pProcess
// as it was) when no Wine loader is found.
bool PrepareWineProcess(QProcess& process, const QStringList& arguments, const std::string& strWorkDir);

// The Windows helper that finds windows and starts programs inside Wine, installed beside the
// program; empty when it was not built (no cross compiler) or is missing.
std::string WineHelperPath();
