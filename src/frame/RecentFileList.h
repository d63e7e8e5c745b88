#pragma once
// The recent-file list: up to four documents, newest first, kept in the settings under
// "Recent File List" as "File1".."File4".

#include <QString>
#include <QStringList>

class QSettings;

namespace velmora {

class CRecentFileList {
public:
    static constexpr int kSize = 4;

    void ReadList(QSettings& settings);
    void WriteList(QSettings& settings) const;
    // Puts strPath first (moving it up when it is already in the list) and drops the oldest
    // entry beyond four. Paths compare as absolute paths.
    void Add(const QString& strPath);
    void Remove(int nIndex);
    const QStringList& Files() const { return m_files; }

private:
    QStringList m_files;
};

}  // namespace velmora
