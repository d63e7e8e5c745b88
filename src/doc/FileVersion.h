#pragma once
// A version of a file on disk, as its size and modification time tell it: enough to see that
// another program saved the file since.

#include <QDateTime>
#include <QtGlobal>

namespace velmora {

struct FileVersion {
    qint64 nSize = -1;  // -1: no file
    QDateTime modified;
    bool IsEmpty() const { return nSize < 0; }
    friend bool operator==(const FileVersion&, const FileVersion&) = default;
};

}  // namespace velmora
