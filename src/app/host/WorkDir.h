#pragma once
// Reading the process's current directory without a length limit of our own.

#include <string>

namespace velmora {

// Reads the current directory into strDir: the path as the user reached it (the PWD the shell
// passed on, when it still names this very directory, so a link named after the tool is seen by
// that name), otherwise the physical path. There is no limit below the system's own.
// Returns false, with strDir empty, when the directory cannot be read (deleted, unreachable,
// not searchable on the way up).
bool ReadCurrentDir(std::string& strDir);

}  // namespace velmora
