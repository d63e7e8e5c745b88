#include "FindReplaceDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velmora {

CFindReplaceDlg::CFindReplaceDlg(bool bReplace, QWidget* pParent)
    : QDialog(pParent),
      m_bReplace(bReplace),
      m_editFind(new QLineEdit(this)),
      m_checkWholeWord(new QCheckBox(QStringLiteral("Match &whole word only"), this)),
      m_checkMatchCase(new QCheckBox(QStringLiteral("Match &case"), this)),
      m_btnFindNext(new QPushButton(QStringLiteral("&Find Next"), this)) {
    setWindowTitle(bReplace ? QStringLiteral("Replace") : QStringLiteral("Find"));
    setModal(false);
    m_editFind->setObjectName(QStringLiteral("FindWhat"));

    auto* pFields = new QGridLayout;
    auto* pFindLabel = new QLabel(QStringLiteral("Fi&nd what:"), this);
    pFindLabel->setBuddy(m_editFind);
    pFields->addWidget(pFindLabel, 0, 0);
    pFields->addWidget(m_editFind, 0, 1);
    if (bReplace) {
        m_editReplace = new QLineEdit(this);
        m_editReplace->setObjectName(QStringLiteral("ReplaceWith"));
        auto* pReplaceLabel = new QLabel(QStringLiteral("Re&place with:"), this);
        pReplaceLabel->setBuddy(m_editReplace);
        pFields->addWidget(pReplaceLabel, 1, 0);
        pFields->addWidget(m_editReplace, 1, 1);
    }
    auto* pOptions = new QVBoxLayout;
    pOptions->addWidget(m_checkWholeWord);
    pOptions->addWidget(m_checkMatchCase);
    auto* pLeft = new QVBoxLayout;
    pLeft->addLayout(pFields);
    auto* pBottom = new QHBoxLayout;
    pBottom->addLayout(pOptions);
    if (!bReplace) {
        auto* pDirection = new QGroupBox(QStringLiteral("Direction"), this);
        m_radioUp = new QRadioButton(QStringLiteral("&Up"), pDirection);
        auto* pDown = new QRadioButton(QStringLiteral("&Down"), pDirection);
        pDown->setChecked(true);
        auto* pDirLayout = new QHBoxLayout(pDirection);
        pDirLayout->addWidget(m_radioUp);
        pDirLayout->addWidget(pDown);
        pBottom->addWidget(pDirection);
    }
    pLeft->addLayout(pBottom);

    auto* pButtons = new QVBoxLayout;
    m_btnFindNext->setDefault(true);
    pButtons->addWidget(m_btnFindNext);
    connect(m_btnFindNext, &QPushButton::clicked, this, &CFindReplaceDlg::FindNext);
    if (bReplace) {
        m_btnReplace = new QPushButton(QStringLiteral("&Replace"), this);
        m_btnReplaceAll = new QPushButton(QStringLiteral("Replace &All"), this);
        pButtons->addWidget(m_btnReplace);
        pButtons->addWidget(m_btnReplaceAll);
        connect(m_btnReplace, &QPushButton::clicked, this, &CFindReplaceDlg::ReplaceCurrent);
        connect(m_btnReplaceAll, &QPushButton::clicked, this, &CFindReplaceDlg::ReplaceAll);
    }
    auto* pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(pCancel, &QPushButton::clicked, this, &QDialog::close);
    pButtons->addWidget(pCancel);
    pButtons->addStretch();

    auto* pMain = new QHBoxLayout(this);
    pMain->addLayout(pLeft);
    pMain->addLayout(pButtons);
    connect(m_editFind, &QLineEdit::textChanged, this, &CFindReplaceDlg::UpdateButtons);
    UpdateButtons();
}

void CFindReplaceDlg::SetFindText(const QString& strText) {
    m_editFind->setText(strText);
    m_editFind->selectAll();
}

QString CFindReplaceDlg::FindText() const { return m_editFind->text(); }

QString CFindReplaceDlg::ReplaceText() const { return m_editReplace ? m_editReplace->text() : QString(); }

QTextDocument::FindFlags CFindReplaceDlg::Flags() const {
    QTextDocument::FindFlags flags;
    if (m_checkMatchCase->isChecked()) flags |= QTextDocument::FindCaseSensitively;
    if (m_checkWholeWord->isChecked()) flags |= QTextDocument::FindWholeWords;
    if (m_radioUp && m_radioUp->isChecked()) flags |= QTextDocument::FindBackward;
    return flags;
}

void CFindReplaceDlg::UpdateButtons() {
    const bool bAny = !m_editFind->text().isEmpty();
    m_btnFindNext->setEnabled(bAny);
    if (m_btnReplace) m_btnReplace->setEnabled(bAny);
    if (m_btnReplaceAll) m_btnReplaceAll->setEnabled(bAny);
}

}  // namespace velmora
