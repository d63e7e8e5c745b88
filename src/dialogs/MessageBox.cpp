#include "dialogs/MessageBox.h"

#include <QFile>
#include <QTextStream>

namespace velmora {
namespace {

CMessageBoxCapture* s_pCapture = nullptr;

}  // namespace

void LogShownMessage(const QString& strTitle, const QString& strText) {
    const QString strLogPath = qEnvironmentVariable("VELMORA_MESSAGE_LOG");
    if (strLogPath.isEmpty()) return;
    QFile log(strLogPath);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        QTextStream(&log) << strTitle << '\t'
                          << QString(strText).replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n")) << '\n';
    }
}

CMessageBoxCapture::CMessageBoxCapture() : m_pOuter(s_pCapture) { s_pCapture = this; }

CMessageBoxCapture::~CMessageBoxCapture() { s_pCapture = m_pOuter; }

void ShowMessageBox(QWidget* pParent, const QString& strText, QMessageBox::Icon icon) {
    LogShownMessage(kMessageBoxTitle, strText);
    if (s_pCapture) {
        s_pCapture->m_boxes.push_back({icon, strText, pParent && pParent->isVisible()});
        return;
    }
    QMessageBox box(icon, kMessageBoxTitle, strText, QMessageBox::Ok, pParent);
    box.exec();
}

}  // namespace velmora
