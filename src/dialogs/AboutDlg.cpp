#include "dialogs/AboutDlg.h"

#include "dialogs/DialogUnits.h"
#include "dialogs/Pictures.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace velmora {

QString AboutText() {
    return QStringLiteral(
        "Velmora Version 2.0\n"
        "Visual Hebrew for Dreamweaver\n"
        "Credits: engine, RTF, editor, help and pictures by the Velmora developers\n"
        "Copyright \u00A9 2026 The Velmora developers. All rights reserved.");
}

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent), m_pPicture(new QLabel(this)), m_pText(new QLabel(this)) {
    setWindowTitle(QStringLiteral("About Velmora"));
    setWindowIcon(ApplicationIcon());
    setFixedSize(DluSize(font(), 295, 96));

    // The picture control takes its bitmap's own size, from its top-left corner.
    const QRect rcPicture = DluRect(font(), 3, 4, 139, 87);
    const QPixmap picture = DrawAboutPicture();
    m_pPicture->setPixmap(picture);
    m_pPicture->setGeometry(QRect(rcPicture.topLeft(), picture.size()));

    auto* pGroup = new QGroupBox(this);
    pGroup->setGeometry(DluRect(font(), 145, 0, 145, 91));

    m_pText->setGeometry(DluRect(font(), 151, 8, 131, 65));
    m_pText->setText(AboutText());
    m_pText->setWordWrap(true);
    m_pText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pText->raise();

    auto* pOk = new QPushButton(QStringLiteral("OK"), this);
    pOk->setGeometry(DluRect(font(), 237, 73, 49, 14));
    pOk->setDefault(true);
    connect(pOk, &QPushButton::clicked, this, &QDialog::accept);
}

void ShowAboutBox(QWidget* pOver) {
    CAboutDlg dlg(pOver);
    dlg.exec();
}

}  // namespace velmora
