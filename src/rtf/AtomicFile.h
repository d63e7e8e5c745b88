#pragma once
// Reading a document whole, and saving one so that the previous file survives any failure.

#include <string>
#include <string_view>

namespace velmora {

// Writes bytes to strPath by way of a temporary file in the same folder: the data is written in
// full and flushed to the disk (fsync) before the temporary file is renamed over strPath, so a
// failure at any point leaves the previous file as it was. A new file gets the permissions of a
// newly created file, an existing one keeps its own; a symbolic link is followed and its target
// replaced. Returns false with a one-line reason in strError (without the file name) on failure,
// and removes the temporary file.
bool WriteFileAtomically(const std::string& strPath, std::string_view bytes, std::string& strError);

// Reads the whole file at strPath into bytes. Returns false with a one-line reason in strError
// (without the file name): a missing or unreadable file, a folder, or a file too large for a
// document (2 GiB and more).
bool ReadWholeFile(const std::string& strPath, std::string& bytes, std::string& strError);

}  // namespace velmora
