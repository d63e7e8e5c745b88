#include "AutoClose.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

namespace velmora::test {

CAutoClose::CAutoClose(int nIntervalMs) : m_pTimer(new QTimer(this)) {
    connect(m_pTimer, &QTimer::timeout, this, &CAutoClose::CloseOpenWindows);
    m_pTimer->start(nIntervalMs);
}

CAutoClose::~CAutoClose() { m_pTimer->stop(); }

void CAutoClose::CloseOpenWindows() {
    if (QWidget* pPopup = QApplication::activePopupWidget()) {
        m_closed.append(QString::fromLatin1(pPopup->metaObject()->className()));
        pPopup->close();
    }
    if (QWidget* pModal = QApplication::activeModalWidget()) {
        QString strName = pModal->windowTitle().isEmpty() ? QString::fromLatin1(pModal->metaObject()->className())
                                                          : pModal->windowTitle();
        if (auto* pBox = qobject_cast<QMessageBox*>(pModal)) strName += QLatin1Char('|') + pBox->text();
        m_closed.append(strName);
        if (auto* pDialog = qobject_cast<QDialog*>(pModal)) {
            pDialog->reject();
        } else {
            pModal->close();
        }
    }
}

}  // namespace velmora::test
