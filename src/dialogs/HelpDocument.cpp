#include "dialogs/HelpDocument.h"

#include "RtfReader.h"
#include "richtext/DocumentBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QTextDocument>

#include <string_view>

namespace velmora {

QString HelpFilePath(const QString& strWorkDir, const QString& strInstalledDir)
{
    const QString strName = QStringLiteral("Content/Orvandel.rtf");
    const QString strBeside = QDir(strWorkDir).filePath(strName);
    // Started from the desktop menu the working folder is the home folder: the installed copy
    // stands in for the one beside the authoring tool.
    if (!QFileInfo::exists(strBeside) && !strInstalledDir.isEmpty()) {
        const QString strInstalled = QDir(strInstalledDir).filePath(strName);
        if (QFileInfo::exists(strInstalled))
            return QDir::toNativeSeparators(strInstalled);
    }
    return QDir::toNativeSeparators(strBeside);
}

QString HelpFilePath(const QString& strWorkDir)
{
    return HelpFilePath(strWorkDir, InstalledDataDir());
}

QString InstalledDataDir()
{
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QString::fromUtf8("../" VELMORA_DATADIR "/velmora"));
}

QString HelpFileErrorText(HelpFileError error, const QString& strPath)
{
    switch (error) {
    case HelpFileError::None: return QString();
    case HelpFileError::NotFound: return QStringLiteral("%1 was not found.").arg(strPath);
    case HelpFileError::AccessDenied: return QStringLiteral("Access to %1 was denied.").arg(strPath);
    case HelpFileError::Other:
        break;
    }
    return QStringLiteral("An unexpected file error occurred while accessing %1.").arg(strPath);
}

HelpFileError LoadHelpDocument(const QString& strPath, QTextDocument& doc)
{
    doc.clear();
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        switch (file.error()) {
        case QFileDevice::OpenError:
            return QFile::exists(strPath) ? HelpFileError::AccessDenied : HelpFileError::NotFound;
        case QFileDevice::PermissionsError: return HelpFileError::AccessDenied;
        default: return HelpFileError::Other;
        }
    }
    const QByteArray bytes = file.readAll();
    TextModel model;
    // A damaged file still shows what could be read of it: help is better in part than not at all.
    static_cast<void>(ReadRtf(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), model));
    FillDocument(model, doc);
    return HelpFileError::None;
}

}  // namespace velmora
