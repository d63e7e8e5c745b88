#pragma once
// The bytes that name a file on disk, for a path that Qt holds as text.

#include <QString>

#include <string>

namespace velmora {

// A name that is not UTF-8 (a Hebrew Windows name unpacked as it was) reaches Qt with each byte
// it cannot decode replaced by U+FFFD, and encoding that text back names a file that is not there.
// Each part of strPath that holds U+FFFD is therefore matched against its folder's entries: the one
// entry whose name reads the same gives its bytes. Where none or several read the same, the part
// is encoded as it stands.
std::string NativePath(const QString& strPath);

}  // namespace velmora
