#include "dialogs/MessageBox.h"

namespace velmora {
namespace {

CMessageBoxCapture* s_pCapture = nullptr;

}  // namespace

CMessageBoxCapture::CMessageBoxCapture() : m_pOuter(s_pCapture) { s_pCapture = this; }

CMessageBoxCapture::~CMessageBoxCapture() { s_pCapture = m_pOuter; }

void ShowMessageBox(QWidget* pParent, const QString& strText, QMessageBox::Icon icon)
{
    if (s_pCapture) {
        s_pCapture->m_boxes.push_back({icon, strText});
        return;
    }
    QMessageBox box(icon, kMessageBoxTitle, strText, QMessageBox::Ok, pParent);
    box.exec();
}

}  // namespace velmora
