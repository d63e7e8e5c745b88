#pragma once
// What Velmora needs to know about Wine, the Windows compatibility layer that runs the authoring
// tools on Linux: whether a program is a Windows one, where the Wine loader is, and whether a
// Wine session is running for the user's prefix. Plain C++ over the file system; nothing here
// starts Wine.

#include <string>
#include <string_view>

namespace velmora {

// True when the file at strPath begins with the bytes "MZ", the mark of a Windows executable
// (which the Linux kernel cannot run by itself). False for a missing or unreadable file.
bool IsWindowsProgram(const std::string& strPath);

// The Wine loader a user's shell would find: "wine" in the first directory of szSearchPath (a
// PATH value, directories separated by ':') that has an executable one, else "wine64" the same
// way, else "lib/wine/wine64" beside one of those directories (Debian's wine64 package installs
// only /usr/lib/wine/wine64, next to /usr/bin). Empty when there is none.
std::string FindWineLoader(std::string_view szSearchPath);

// The Wine prefix a Wine program started with this environment uses: pszWinePrefix when it is
// set and not empty, else pszHome + "/.wine". Empty when neither is known.
std::string WinePrefixDir(const char* pszWinePrefix, const char* pszHome);

// True when a wineserver is running for the prefix strPrefix: its lock file, in the server
// directory Wine derives from the prefix, is held. Both places Wine keeps that directory are
// looked at: /tmp/.wine-UID/server-DEV-INODE (Wine's own builds) and the folder named by the
// prefix's "wineserver" file under TMPDIR or /tmp (Debian's builds). Costs a few file look-ups.
bool IsWineServerRunning(const std::string& strPrefix);

// Why the Wine helper could not start a program, from the exit code of its --start command;
// empty for 0 (started).
std::string WineStartProblem(int nExitCode);

}  // namespace velmora
