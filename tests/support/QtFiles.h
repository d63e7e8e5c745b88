#pragma once
// Files the editor's tests make for it to open.

#include <QByteArray>
#include <QString>

namespace velmora::test {

// Writes bytes to strPath, replacing what is there, and returns strPath. A test that cannot make
// its file stops at once: what it would check next means nothing without it.
QString WriteTestFile(const QString& strPath, const QByteArray& bytes);

}  // namespace velmora::test
