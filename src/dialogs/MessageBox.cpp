#include "dialogs/MessageBox.h"

#include <QFile>
#include <QTextStream>

namespace velmora {
namespace {

CMessageBoxCapture* s_pCapture = nullptr;

// When VELMORA_MESSAGE_LOG names a file, every box is also written there as one line
// "title<TAB>text", so that a test driving the real program from outside can tell which message
// is on screen.
void LogMessageBox(const QString& strText) {
    const QString strLogPath = qEnvironmentVariable("VELMORA_MESSAGE_LOG");
    if (strLogPath.isEmpty()) return;
    QFile log(strLogPath);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        QTextStream(&log) << kMessageBoxTitle << '\t'
                          << QString(strText).replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n")) << '\n';
    }
}

}  // namespace

CMessageBoxCapture::CMessageBoxCapture() : m_pOuter(s_pCapture) { s_pCapture = this; }

CMessageBoxCapture::~CMessageBoxCapture() { s_pCapture = m_pOuter; }

void ShowMessageBox(QWidget* pParent, const QString& strText, QMessageBox::Icon icon) {
    LogMessageBox(strText);
    if (s_pCapture) {
        s_pCapture->m_boxes.push_back({icon, strText});
        return;
    }
    QMessageBox box(icon, kMessageBoxTitle, strText, QMessageBox::Ok, pParent);
    box.exec();
}

}  // namespace velmora
