#pragma once
// Starting the authoring tool as an independent program.

#include <string>

// Starts strProgramPath with no arguments in strWorkDir, detached: Velmora never waits for it and
// does not stop it at exit. Once the program shows its window it is maximised (see
// velmora::MaximiseWindowsOfProcess); a program that shows none within a few seconds is left as
// it is. Returns false when the program could not be started at all: missing, not executable,
// not a format the system can run, or no permission.
bool StartHostProgram(const std::string& strProgramPath, const std::string& strWorkDir);
