#include "NativePath.h"

#include <QFile>
#include <QStringList>

#include <dirent.h>

#include <memory>

namespace velmora {

namespace {

// The bytes of the one entry of folder whose name reads as strName, or nothing.
std::string OnlyEntryReadingAs(const std::string& folder, const QString& strName) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) return {};
    std::string found;
    while (const dirent* pEntry = ::readdir(dir.get())) {
        if (QFile::decodeName(pEntry->d_name) != strName) continue;
        if (!found.empty()) return {};  // two names read the same: neither is taken for the other
        found = pEntry->d_name;
    }
    return found;
}

}  // namespace

std::string NativePath(const QString& strPath) {
    if (!strPath.contains(QChar::ReplacementCharacter)) return QFile::encodeName(strPath).toStdString();
    const QStringList parts = strPath.split(QLatin1Char('/'));
    std::string path;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        std::string part;
        if (parts[i].contains(QChar::ReplacementCharacter))
            part = OnlyEntryReadingAs(i == 0 ? std::string(".") : path.empty() ? std::string("/") : path, parts[i]);
        if (part.empty()) part = QFile::encodeName(parts[i]).toStdString();
        if (i > 0) path += '/';
        path += part;
    }
    return path;
}

}  // namespace velmora
