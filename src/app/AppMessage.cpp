#include "AppMessage.h"

#include "dialogs/MessageBox.h"

#include <QFile>
#include <QTextStream>

namespace {

void LogMessage(const QString& strText) {
    const QString strLogPath = qEnvironmentVariable("VELMORA_MESSAGE_LOG");
    if (strLogPath.isEmpty()) {
        return;
    }
    QFile log(strLogPath);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        QTextStream(&log) << velmora::kMessageBoxTitle << '\t' << strText << '\n';
    }
}

}  // namespace

void ShowAppMessage(const QString& strText, QWidget* pParent) {
    LogMessage(strText);
    velmora::ShowMessageBox(pParent, strText, QMessageBox::Warning);
}
