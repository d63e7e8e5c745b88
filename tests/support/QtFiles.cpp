#include "QtFiles.h"

#include <QFile>
#include <QtGlobal>

namespace velmora::test {

QString WriteTestFile(const QString& strPath, const QByteArray& bytes) {
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        qFatal("cannot write %s", qPrintable(strPath));
    return strPath;
}

}  // namespace velmora::test
