#include "MessageBox.h"

#include <QMessageBox>

namespace velmora {

void ShowMessage(QWidget* pOwner, const QString& strText, bool bPlain) {
    QMessageBox box(bPlain ? QMessageBox::NoIcon : QMessageBox::Warning, QString::fromLatin1(kAppName),
                    strText, QMessageBox::Ok, pOwner);
    box.exec();
}

}  // namespace velmora
