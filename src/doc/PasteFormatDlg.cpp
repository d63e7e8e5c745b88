#include "PasteFormatDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

const QStringList& RtfMimeTypes() {
    static const QStringList types = {QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
                                      QStringLiteral("text/richtext")};
    return types;
}

QList<QPair<QString, QString>> CPasteFormatDlg::PastableFormats(const QMimeData* pSource) {
    QList<QPair<QString, QString>> formats;
    if (!pSource) return formats;
    for (const QString& strRtf : RtfMimeTypes()) {
        if (pSource->hasFormat(strRtf)) {
            formats.append({strRtf, QStringLiteral("Rich Text Format")});
            break;
        }
    }
    if (pSource->hasHtml()) formats.append({QStringLiteral("text/html"), QStringLiteral("Formatted Text (HTML)")});
    if (pSource->hasText()) formats.append({QStringLiteral("text/plain"), QStringLiteral("Unformatted Text")});
    return formats;
}

CPasteFormatDlg::CPasteFormatDlg(const QMimeData* pSource, QWidget* pParent)
    : QDialog(pParent), m_listFormats(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Paste Special"));
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(new QLabel(QStringLiteral("&As:"), this));
    pLayout->addWidget(m_listFormats);
    for (const auto& [strMime, strName] : PastableFormats(pSource)) {
        auto* pItem = new QListWidgetItem(strName, m_listFormats);
        pItem->setData(Qt::UserRole, strMime);
    }
    m_listFormats->setCurrentRow(0);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    pButtons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Paste"));
    pButtons->button(QDialogButtonBox::Ok)->setEnabled(m_listFormats->count() > 0);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_listFormats, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    pLayout->addWidget(pButtons);
}

QString CPasteFormatDlg::SelectedFormat() const {
    const QListWidgetItem* pItem = m_listFormats->currentItem();
    return pItem ? pItem->data(Qt::UserRole).toString() : QString();
}

}  // namespace velmora
