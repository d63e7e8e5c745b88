#include "dialogs/HebrewHelpDlg.h"

#include "dialogs/DialogUnits.h"
#include "dialogs/HelpDocument.h"
#include "dialogs/MessageBox.h"
#include "dialogs/PaneLines.h"
#include "dialogs/Pictures.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace velmora {
namespace {

struct Topic {
    int nButtonId;
    int nIconId;
    int yDlu;
    const char16_t* pszHeading;
};

// Top to bottom. The headings are the texts the help document's topics start with.
const Topic kTopics[] = {
    {kTopicGeneral, kIconHelpGeneral, 4, u"\u05D4\u05E1\u05D1\u05E8 \u05DB\u05DC\u05DC\u05D9"},
    {kTopicCopyToHtml, kIconHelpCopyToHtml, 24, u"Copy to Dreamweaver"},
    {kTopicPaste, kIconHelpPaste, 44, u"Paste from Browser"},
    {kTopicNonstyled, kIconHelpNonstyled, 64, u"Copy non-styled HTML"},
    {kTopicClearClipboard, kIconHelpClearClipboard, 84,
     u"\u05DE\u05E0\u05E7\u05D4 \u05D0\u05EA \u05D4\u05DC\u05D5\u05D7"},
    {kTopicEraseScreen, kIconHelpEraseScreen, 104, u"\u05DE\u05D5\u05D7\u05E7 \u05DB\u05DC\u05DC\u05D9"},
};

const QColor kPaneBackground(255, 255, 200);

}  // namespace

QString TopicHeading(int nButtonId) {
    for (const Topic& topic : kTopics) {
        if (topic.nButtonId == nButtonId) return QString::fromUtf16(topic.pszHeading);
    }
    return QString();
}

CHebrewHelpDlg::CHebrewHelpDlg(const QString& strWorkDir, QWidget* pParent)
    : QDialog(pParent), m_ctlText(new QTextEdit(this)), m_strHelpFile(HelpFilePath(strWorkDir)) {
    setWindowTitle(QStringLiteral("Hebrew Help"));
    setWindowIcon(ApplicationIcon());
    CreateControls();
    LoadHelpFile();
}

void CHebrewHelpDlg::CreateControls() {
    setFixedSize(DluSize(font(), 343, 166));
    for (const Topic& topic : kTopics) {
        auto* pButton = new QPushButton(this);
        pButton->setObjectName(QString::number(topic.nButtonId));
        pButton->setGeometry(DluRect(font(), 4, topic.yDlu, 45, 18));
        pButton->setIcon(HelpButtonIcon(topic.nIconId));
        const int nIcon = qMin(32, pButton->height() - 4);
        pButton->setIconSize(QSize(nIcon, nIcon));
        pButton->setToolTip(QString::fromUtf16(topic.pszHeading));
        pButton->setAutoDefault(false);
        const int nButtonId = topic.nButtonId;
        connect(pButton, &QPushButton::clicked, this, [this, nButtonId] { OnTopic(nButtonId); });
    }
    auto* pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    pCancel->setGeometry(DluRect(font(), 4, 145, 45, 18));
    pCancel->setAutoDefault(false);
    connect(pCancel, &QPushButton::clicked, this, &QDialog::reject);

    // The pane is disabled: only the topic buttons move it. Its palette keeps the text black
    // on pale yellow, since a disabled pane would otherwise grey its text out.
    m_ctlText->setGeometry(DluRect(font(), 54, 4, 284, 159));
    m_ctlText->setReadOnly(true);
    m_ctlText->setEnabled(false);
    m_ctlText->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_ctlText->setLineWrapMode(QTextEdit::WidgetWidth);
    m_ctlText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_ctlText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = m_ctlText->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, kPaneBackground);
        palette.setColor(group, QPalette::Text, Qt::black);
    }
    m_ctlText->setPalette(palette);
    QTextOption option = m_ctlText->document()->defaultTextOption();
    option.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    option.setTextDirection(Qt::RightToLeft);
    m_ctlText->document()->setDefaultTextOption(option);
}

void CHebrewHelpDlg::LoadHelpFile() {
    QString strReason;
    const HelpFileError error = LoadHelpDocument(m_strHelpFile, *m_ctlText->document(), strReason);
    // A little air between paragraphs, which the text model does not carry.
    QTextCursor all(m_ctlText->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat spacing;
    spacing.setBottomMargin(QFontMetrics(m_ctlText->font()).height() / 3.0);
    all.mergeBlockFormat(spacing);
    // The pane's own cursor was carried along to the end of the inserted text; every opening
    // starts at the top.
    m_ctlText->moveCursor(QTextCursor::Start);
    m_ctlText->verticalScrollBar()->setValue(0);
    if (error != HelpFileError::None)
        ShowMessageBox(this, HelpFileErrorText(error, m_strHelpFile, strReason), QMessageBox::Critical);
}

int CHebrewHelpDlg::FindHeading(const QString& strHeading) const { return LinesToHeading(strHeading).value_or(-1); }

std::optional<int> CHebrewHelpDlg::LinesToHeading(const QString& strHeading) const {
    if (strHeading.isEmpty()) return std::nullopt;
    const QTextCursor found = m_ctlText->document()->find(strHeading, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull()) return std::nullopt;
    return LineFromChar(*m_ctlText, found.selectionStart()) - FirstVisibleLine(*m_ctlText);
}

void CHebrewHelpDlg::OnTopic(int nButtonId) {
    // A heading one line above the top is found too: -1 is a distance here, not a failure.
    const std::optional<int> nLines = LinesToHeading(TopicHeading(nButtonId));
    if (nLines) LineScroll(*m_ctlText, *nLines);
}

QPushButton* CHebrewHelpDlg::TopicButton(int nButtonId) const {
    return findChild<QPushButton*>(QString::number(nButtonId), Qt::FindDirectChildrenOnly);
}

void ShowHebrewHelp(const QString& strWorkDir, QWidget* pOver) {
    CHebrewHelpDlg dlg(strWorkDir, pOver);
    dlg.exec();
}

}  // namespace velmora
