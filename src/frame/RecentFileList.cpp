#include "RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

namespace velmora {

void CRecentFileList::ReadList(QSettings& settings) {
    m_files.clear();
    settings.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= kSize; ++i) {
        const QString strPath = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!strPath.isEmpty()) m_files.append(strPath);
    }
    settings.endGroup();
}

void CRecentFileList::WriteList(QSettings& settings) const {
    settings.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= kSize; ++i) {
        const QString strKey = QStringLiteral("File%1").arg(i);
        if (i <= m_files.size()) {
            settings.setValue(strKey, m_files[i - 1]);
        } else {
            settings.remove(strKey);
        }
    }
    settings.endGroup();
}

void CRecentFileList::Add(const QString& strPath) {
    const QString strAbsolute = QFileInfo(strPath).absoluteFilePath();
    m_files.removeAll(strAbsolute);
    m_files.prepend(strAbsolute);
    while (m_files.size() > kSize) m_files.removeLast();
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex >= 0 && nIndex < m_files.size()) m_files.removeAt(nIndex);
}

}  // namespace velmora
