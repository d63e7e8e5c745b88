#include "AppMessage.h"

#include <QFile>
#include <QTextStream>

namespace {

void LogMessage(const QString& strTitle, const QString& strText) {
    const QString strLogPath = qEnvironmentVariable("VELMORA_MESSAGE_LOG");
    if (strLogPath.isEmpty()) {
        return;
    }
    QFile log(strLogPath);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        QTextStream(&log) << strTitle << '\t' << strText << '\n';
    }
}

}  // namespace

void ShowAppMessage(const QString& strText, QWidget* pParent, QMessageBox::Icon icon) {
    const QString strTitle = QString::fromLatin1(APP_NAME);
    LogMessage(strTitle, strText);
    QMessageBox box(icon, strTitle, strText, QMessageBox::Ok, pParent);
    box.exec();
}
