#include "dialogs/HelpDocument.h"

#include "RtfReader.h"
#include "richtext/DocumentBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

#include <string>
#include <string_view>

namespace velmora {

QString HelpFilePath(const QString& strWorkDir, const QString& strInstalledDir) {
    const QString strName = QStringLiteral("Content/Orvandel.rtf");
    const QString strBeside = QDir(strWorkDir).filePath(strName);
    // Started from the desktop menu the working folder is the home folder: the installed copy
    // stands in for the one beside the authoring tool.
    if (!QFileInfo::exists(strBeside) && !strInstalledDir.isEmpty()) {
        const QString strInstalled = QDir(strInstalledDir).filePath(strName);
        if (QFileInfo::exists(strInstalled)) return QDir::toNativeSeparators(strInstalled);
    }
    return QDir::toNativeSeparators(strBeside);
}

QString HelpFilePath(const QString& strWorkDir) { return HelpFilePath(strWorkDir, InstalledDataDir()); }

QString InstalledDataDir() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromUtf8("../" VELMORA_DATADIR "/velmora"));
}

QString HelpFileErrorText(HelpFileError error, const QString& strPath, const QString& strReason) {
    switch (error) {
    case HelpFileError::None: return QString();
    case HelpFileError::NotFound: return QStringLiteral("%1 was not found.").arg(strPath);
    case HelpFileError::AccessDenied: return QStringLiteral("Access to %1 was denied.").arg(strPath);
    case HelpFileError::Unreadable: return QStringLiteral("%1 could not be read: %2.").arg(strPath, strReason);
    case HelpFileError::Other: break;
    }
    return QStringLiteral("An unexpected file error occurred while accessing %1.").arg(strPath);
}

HelpFileError LoadHelpDocument(const QString& strPath, QTextDocument& doc, QString& strReason) {
    doc.clear();
    strReason.clear();
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
    if (file.error() != QFileDevice::NoError) {
        strReason = file.errorString();
        return HelpFileError::Unreadable;
    }
    TextModel model;
    // A file that is not RTF, or was cut short, is reported as a missing one is: half a help
    // text that says nothing of the rest would mislead.
    const RtfReadResult result = ReadRtf(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), model);
    if (!result.bOk || result.bLastBraceMissing) {
        const std::string& strWhy = !result.bOk ? result.strError : result.strCutShort;
        strReason =
            strWhy.empty() ? QStringLiteral("the file ends before its text does") : QString::fromStdString(strWhy);
        return HelpFileError::Unreadable;
    }
    FillDocument(model, doc);
    return HelpFileError::None;
}

}  // namespace velmora
