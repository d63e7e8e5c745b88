#include "dialogs/LineLengthDlg.h"

#include "ConversionEngine.h"
#include "dialogs/DialogUnits.h"
#include "dialogs/MessageBox.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <charconv>

namespace velmora {

namespace {

// Shrinks pLabel's font until its wrapped text fits its rectangle: the template's font is often
// replaced by a wider one, and the prompt must stay readable in the template's layout.
void FitLabelText(QLabel* pLabel) {
    QFont font = pLabel->font();
    for (qreal nPoints = font.pointSizeF(); nPoints > 5.0; nPoints -= 0.5) {
        font.setPointSizeF(nPoints);
        const QRect needed =
            QFontMetrics(font).boundingRect(QRect(0, 0, pLabel->width(), 10000), Qt::TextWordWrap, pLabel->text());
        if (needed.height() <= pLabel->height() && needed.width() <= pLabel->width()) break;
    }
    pLabel->setFont(font);
}

// Parses the whole of text (blanks around it allowed) as a decimal integer.
bool ParseInteger(const QString& text, int& nValue) {
    const QByteArray bytes = text.trimmed().toLatin1();
    if (bytes.isEmpty()) return false;
    const char* pEnd = bytes.constData() + bytes.size();
    const auto [ptr, ec] = std::from_chars(bytes.constData(), pEnd, nValue);
    return ec == std::errc() && ptr == pEnd;
}

}  // namespace

CLineLengthDlg::CLineLengthDlg(int nLength, const char* pszCaption, QWidget* pParent)
    : QDialog(pParent), m_nLength(nLength), m_pszCaption(pszCaption), m_editLength(new QLineEdit(this)) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    BuildControls();
}

void CLineLengthDlg::BuildControls() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(10);
    setFont(font);
    const QFontMetrics fm(font);
    setFixedSize(DluSize(font, 101, 46));

    m_editLength->setObjectName(QStringLiteral("1016"));
    m_editLength->setGeometry(DluRect(font, 5, 6, 33, 12));
    m_editLength->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_editLength));
    // Without horizontal scrolling typing stops where the field is full.
    const int nDigitWidth = std::max(1, fm.horizontalAdvance(QLatin1Char('0')));
    m_editLength->setMaxLength(std::max(1, (m_editLength->width() - 6) / nDigitWidth));
    m_editLength->setText(QString::number(m_nLength));

    auto* pOk = new QPushButton(QStringLiteral("OK"), this);
    pOk->setObjectName(QStringLiteral("1"));
    pOk->setGeometry(DluRect(font, 5, 30, 33, 11));
    pOk->setDefault(true);
    connect(pOk, &QPushButton::clicked, this, &CLineLengthDlg::accept);

    auto* pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    pCancel->setObjectName(QStringLiteral("2"));
    pCancel->setGeometry(DluRect(font, 63, 30, 33, 11));
    connect(pCancel, &QPushButton::clicked, this, &CLineLengthDlg::reject);

    auto* pPrompt = new QLabel(QStringLiteral("Enter line length 1  -  256 symbols."), this);
    pPrompt->setGeometry(DluRect(font, 44, 4, 51, 16));
    pPrompt->setWordWrap(true);
    FitLabelText(pPrompt);

    auto* pDivider = new QLabel(QString(66, QLatin1Char('-')), this);
    pDivider->setGeometry(DluRect(font, 5, 21, 91, 8));
    pDivider->setEnabled(false);

    setTabOrder(m_editLength, pOk);
    setTabOrder(pOk, pCancel);
}

void CLineLengthDlg::showEvent(QShowEvent* pEvent) {
    QDialog::showEvent(pEvent);
    m_editLength->setFocus();
    m_editLength->selectAll();
    setWindowTitle(QString::fromLatin1(m_pszCaption));
}

bool CLineLengthDlg::DoDataExchange() {
    int nValue = 0;
    const char* pszFailure = nullptr;
    if (!ParseInteger(m_editLength->text(), nValue)) {
        pszFailure = "Please enter an integer.";
    } else if (nValue < kMinLineLength || nValue > kMaxLineLength) {
        pszFailure = "Please enter an integer between 1 and 256.";
    }
    if (pszFailure) {
        ShowMessageBox(this, QString::fromLatin1(pszFailure));
        m_editLength->setFocus();
        m_editLength->selectAll();
        return false;
    }
    m_nLength = nValue;
    return true;
}

void CLineLengthDlg::accept() {
    if (DoDataExchange()) QDialog::accept();
}

}  // namespace velmora
