// The pictures drawn in code: sizes, colours, and that the toolbar pictures tell one button from
// another at the sizes they are shown in.

#include "dialogs/Pictures.h"

#include <QImage>
#include <QSet>
#include <QTest>

using namespace velmora;

namespace {

const QList<int> kToolbarCommands = {57600, 57601, 57603, 57635, 57634, 57637, 57607, 57664,
                                     32776, 32771, 32781, 32803, 32778, 32779, 133};

int OpaquePixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    return n;
}

}  // namespace

class tst_Pictures : public QObject {
    Q_OBJECT
private slots:
    void noticePicture_data();
    void noticePicture();
    void unknownIdsGiveNothing();
    void toolbarPicturesAreDrawnAndDistinct_data();
    void toolbarPicturesAreDrawnAndDistinct();
    void helpButtonsShowTheirCommandsPictures_data();
    void helpButtonsShowTheirCommandsPictures();
    void iconsOfferSmallAndLargeSizes();
    void largePictures();
};

void tst_Pictures::noticePicture_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("back");
    const QColor red(255, 0, 0), green(0, 255, 0), grey(128, 128, 128);
    QTest::newRow("155 READY!") << kBitmapReady << QSize(112, 24) << green << grey;
    QTest::newRow("156 CLIPBOARD IS EMPTY!") << kBitmapClipboardEmpty << QSize(317, 23) << red << green;
    QTest::newRow("157 SCREEN IS EMPTY!") << kBitmapScreenEmpty << QSize(268, 23) << red << green;
    QTest::newRow("158 NOTHING TO COPY?") << kBitmapNothingToCopy << QSize(290, 26) << red << green;
    QTest::newRow("159 NOTHING TO PASTE?") << kBitmapNothingToPaste << QSize(311, 23) << red << green;
}

void tst_Pictures::noticePicture() {
    QFETCH(int, id);
    QFETCH(QSize, size);
    QFETCH(QColor, text);
    QFETCH(QColor, back);
    const QImage image = DrawNoticePicture(id).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), size);
    QCOMPARE(image.pixelColor(0, 0), back);  // the band around the picture takes this colour
    int nText = 0;
    int xFirst = size.width();
    int xLast = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor cr = image.pixelColor(x, y);
            QVERIFY2(cr == text || cr == back, "a colour other than the text's and the background's");
            if (cr == text) {
                ++nText;
                xFirst = qMin(xFirst, x);
                xLast = qMax(xLast, x);
            }
        }
    }
    QVERIFY(nText > 80);
    // Widely spaced: the words run across most of the picture, centred.
    QVERIFY2(xLast - xFirst > size.width() * 3 / 4, qPrintable(QString::number(xLast - xFirst)));
    QVERIFY(qAbs(xFirst - (size.width() - 1 - xLast)) <= size.width() / 10);
}

void tst_Pictures::unknownIdsGiveNothing() {
    QVERIFY(DrawNoticePicture(154).isNull());
    QVERIFY(ToolbarIcon(32805).isNull());  // the line-length box has no picture
    QVERIFY(DrawToolbarPicture(0, 16).isNull());
    QVERIFY(HelpButtonIcon(138).isNull());
}

void tst_Pictures::toolbarPicturesAreDrawnAndDistinct_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("16") << 16;
    QTest::newRow("32") << 32;
}

void tst_Pictures::toolbarPicturesAreDrawnAndDistinct() {
    QFETCH(int, size);
    QSet<QByteArray> seen;
    for (int nId : kToolbarCommands) {
        const QImage image = DrawToolbarPicture(nId, size).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(size, size));
        // Enough ink to be seen, not a filled square.
        const int nOpaque = OpaquePixels(image);
        QVERIFY2(nOpaque > size * size / 8, qPrintable(QString::number(nId)));
        QVERIFY2(nOpaque < size * size, qPrintable(QString::number(nId)));
        const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        QVERIFY2(!seen.contains(bytes), qPrintable(QStringLiteral("%1 looks like another button").arg(nId)));
        seen.insert(bytes);
    }
}

void tst_Pictures::helpButtonsShowTheirCommandsPictures_data() {
    QTest::addColumn<int>("iconId");
    QTest::addColumn<int>("commandId");
    QTest::newRow("142 Hebrew help") << kIconHelpGeneral << 133;
    QTest::newRow("137 Copy to HTML") << kIconHelpCopyToHtml << 32776;
    QTest::newRow("139 Paste from Internet") << kIconHelpPaste << 32771;
    QTest::newRow("136 Nonstyled text") << kIconHelpNonstyled << 32781;
    QTest::newRow("140 Clear clipboard") << kIconHelpClearClipboard << 32778;
    QTest::newRow("141 Erase screen") << kIconHelpEraseScreen << 32779;
}

void tst_Pictures::helpButtonsShowTheirCommandsPictures() {
    QFETCH(int, iconId);
    QFETCH(int, commandId);
    for (int nSize : {16, 32}) {
        QCOMPARE(HelpButtonIcon(iconId).pixmap(nSize, nSize).toImage(), DrawToolbarPicture(commandId, nSize).toImage());
    }
}

void tst_Pictures::iconsOfferSmallAndLargeSizes() {
    for (const QIcon& icon : {ApplicationIcon(), DocumentIcon(), ToolbarIcon(32776)}) {
        const QList<QSize> sizes = icon.availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(32, 32)));
    }
    QVERIFY(ApplicationIcon().pixmap(32, 32).toImage() != DocumentIcon().pixmap(32, 32).toImage());
}

void tst_Pictures::largePictures() {
    const QImage splash = DrawSplashPicture().toImage();
    QCOMPARE(splash.size(), QSize(450, 320));
    const QImage about = DrawAboutPicture().toImage();
    QCOMPARE(about.size(), QSize(202, 135));
    // Not a blank: many colours drawn.
    QSet<QRgb> colours;
    for (int y = 0; y < about.height(); y += 3)
        for (int x = 0; x < about.width(); x += 3) colours.insert(about.pixel(x, y));
    QVERIFY(colours.size() > 20);
}

QTEST_MAIN(tst_Pictures)
#include "tst_pictures.moc"
