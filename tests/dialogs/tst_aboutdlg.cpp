// The About box: its picture, its text (product, version, credits, rights) shown whole, and the
// ways to close it.

#include "dialogs/AboutDlg.h"
#include "dialogs/Pictures.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace velmora;

class tst_AboutDlg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void showsPictureAndText();
    void textFitsItsBox();
    void closes_data();
    void closes();

private:
    std::unique_ptr<CAboutDlg> m_pDlg;
};

void tst_AboutDlg::init() {
    m_pDlg = std::make_unique<CAboutDlg>();
    m_pDlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pDlg.get()));
}

void tst_AboutDlg::cleanup() { m_pDlg.reset(); }

void tst_AboutDlg::showsPictureAndText() {
    QCOMPARE(m_pDlg->windowTitle(), QStringLiteral("About Velmora"));
    QCOMPARE(m_pDlg->m_pPicture->pixmap().toImage(), DrawAboutPicture().toImage());
    QCOMPARE(m_pDlg->m_pPicture->size(), QSize(202, 135));
    const QString strText = m_pDlg->m_pText->text();
    QVERIFY(strText.startsWith(QStringLiteral("Velmora Version 2.0")));
    QVERIFY(strText.contains(QStringLiteral("Credits:")));
    QVERIFY(strText.contains(QStringLiteral("All rights reserved.")));
    // The picture and the text do not overlap, and both lie inside the window.
    QVERIFY(!m_pDlg->m_pPicture->geometry().intersects(m_pDlg->m_pText->geometry()));
    QVERIFY(m_pDlg->rect().contains(m_pDlg->m_pPicture->geometry()));
    QVERIFY(m_pDlg->rect().contains(m_pDlg->m_pText->geometry()));
}

void tst_AboutDlg::textFitsItsBox() {
    QLabel* pText = m_pDlg->m_pText;
    QVERIFY2(pText->heightForWidth(pText->width()) <= pText->height(),
             qPrintable(QStringLiteral("%1 > %2").arg(pText->heightForWidth(pText->width())).arg(pText->height())));
    auto* pOk = m_pDlg->findChild<QPushButton*>();
    QVERIFY(pOk);
    QVERIFY(!pOk->geometry().intersects(pText->geometry()));
}

void tst_AboutDlg::closes_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("OK button") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("Enter on the default button") << 2;
}

void tst_AboutDlg::closes() {
    QFETCH(int, way);
    if (way == 0) {
        auto* pOk = m_pDlg->findChild<QPushButton*>();
        QCOMPARE(pOk->text(), QStringLiteral("OK"));
        QTest::mouseClick(pOk, Qt::LeftButton);
    } else {
        QTest::keyClick(m_pDlg.get(), way == 1 ? Qt::Key_Escape : Qt::Key_Return);
    }
    QVERIFY(!m_pDlg->isVisible());
}

QTEST_MAIN(tst_AboutDlg)
#include "tst_aboutdlg.moc"
