#include "dialogs/Pictures.h"

#include "dialogs/PixelFont.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>
#include <cmath>

namespace velmora {
namespace {

// Icons are drawn on a grid of 16 x 16 units scaled to the size asked for, so that every size
// shows the same picture; one-unit strokes run along half units to stay sharp at 16 pixels.
constexpr double kGrid = 16.0;
constexpr std::array<int, 5> kIconSizes = {16, 24, 32, 48, 64};

const QColor kOutline(64, 64, 64);
const QColor kPaper(255, 255, 255);
const QColor kArrowRed(220, 0, 0);
const QColor kGlyphBlue(0, 60, 200);

using GridPainter = void (*)(QPainter&);

QPixmap DrawOnGrid(int nSize, GridPainter pfnPaint) {
    QPixmap pixmap(nSize, nSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(nSize / kGrid, nSize / kGrid);
    pfnPaint(painter);
    return pixmap;
}

QIcon IconFromGrid(GridPainter pfnPaint) {
    QIcon icon;
    for (int nSize : kIconSizes) icon.addPixmap(DrawOnGrid(nSize, pfnPaint));
    return icon;
}

QPen Stroke(const QColor& color, double dWidth = 1.0) {
    return QPen(color, dWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

QFont BoldFont(double dPixelSize, const QString& strFamily = QStringLiteral("DejaVu Sans")) {
    QFont font(strFamily);
    font.setPixelSize(qMax(1, qRound(dPixelSize)));
    font.setBold(true);
    return font;
}

// A page with a folded top-right corner, the common ground of New and the document icon.
void PaintPage(QPainter& p, double dLeft, double dTop, double dRight, double dBottom) {
    const double dFold = 3.0;
    QPolygonF page;
    page << QPointF(dLeft, dTop) << QPointF(dRight - dFold, dTop) << QPointF(dRight, dTop + dFold)
         << QPointF(dRight, dBottom) << QPointF(dLeft, dBottom);
    p.setPen(Stroke(kOutline));
    p.setBrush(kPaper);
    p.drawPolygon(page);
    QPolygonF fold;
    fold << QPointF(dRight - dFold, dTop) << QPointF(dRight - dFold, dTop + dFold) << QPointF(dRight, dTop + dFold);
    p.setBrush(QColor(210, 210, 210));
    p.drawPolygon(fold);
}

void PaintNew(QPainter& p) {
    PaintPage(p, 3.5, 1.5, 12.5, 14.5);
    // A spark in the corner says "new".
    p.setPen(Stroke(QColor(230, 170, 0)));
    p.drawLine(QPointF(2.5, 1.0), QPointF(2.5, 5.0));
    p.drawLine(QPointF(0.5, 3.0), QPointF(4.5, 3.0));
}

void PaintOpen(QPainter& p) {
    p.setPen(Stroke(QColor(140, 100, 0)));
    p.setBrush(QColor(230, 180, 40));
    QPolygonF back;
    back << QPointF(1.5, 3.5) << QPointF(5.5, 3.5) << QPointF(6.5, 4.5) << QPointF(12.5, 4.5) << QPointF(12.5, 13.5)
         << QPointF(1.5, 13.5);
    p.drawPolygon(back);
    p.setBrush(QColor(255, 220, 100));
    QPolygonF front;
    front << QPointF(4.0, 7.5) << QPointF(15.5, 7.5) << QPointF(12.5, 13.5) << QPointF(1.5, 13.5);
    p.drawPolygon(front);
}

void PaintSave(QPainter& p) {
    p.setPen(Stroke(QColor(10, 30, 90)));
    p.setBrush(QColor(40, 80, 180));
    QPolygonF body;
    body << QPointF(1.5, 1.5) << QPointF(13.5, 1.5) << QPointF(14.5, 2.5) << QPointF(14.5, 14.5) << QPointF(1.5, 14.5);
    p.drawPolygon(body);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 2, 8, 5));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(4, 10, 8, 4.5));
    p.setBrush(QColor(10, 30, 90));
    p.drawRect(QRectF(9, 11, 2, 2.5));
}

void PaintCut(QPainter& p) {
    p.setPen(Stroke(QColor(90, 90, 100), 1.2));
    p.drawLine(QPointF(5.5, 9.5), QPointF(11.0, 1.0));
    p.drawLine(QPointF(10.5, 9.5), QPointF(5.0, 1.0));
    p.setPen(Stroke(QColor(180, 0, 0), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 12.0), 2.3, 2.3);
    p.drawEllipse(QPointF(11.5, 12.0), 2.3, 2.3);
}

void PaintSmallPage(QPainter& p, double x, double y, double cx, double cy) {
    p.setPen(Stroke(kOutline));
    p.setBrush(kPaper);
    p.drawRect(QRectF(x, y, cx, cy));
    p.setPen(Stroke(QColor(120, 120, 140)));
    for (double dLine = y + 2.5; dLine < y + cy - 1.0; dLine += 2.0)
        p.drawLine(QPointF(x + 2.0, dLine), QPointF(x + cx - 2.0, dLine));
}

void PaintCopy(QPainter& p) {
    PaintSmallPage(p, 1.5, 1.5, 8, 10);
    PaintSmallPage(p, 6.5, 4.5, 8, 10);
}

void PaintPaste(QPainter& p) {
    p.setPen(Stroke(QColor(100, 60, 20)));
    p.setBrush(QColor(170, 110, 50));
    p.drawRect(QRectF(1.5, 2.5, 10, 12));
    p.setBrush(QColor(160, 160, 170));
    p.setPen(Stroke(kOutline));
    p.drawRect(QRectF(4.5, 1.5, 4, 2));
    PaintSmallPage(p, 6.5, 5.5, 8, 9);
}

void PaintPrint(QPainter& p) {
    p.setPen(Stroke(kOutline));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 1.5, 7, 6));
    p.setBrush(QColor(170, 170, 180));
    p.drawRect(QRectF(1.5, 6.5, 13, 6));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 190, 0));
    p.drawRect(QRectF(11.5, 8, 2, 1.5));
}

void PaintAbout(QPainter& p) {
    p.setPen(Stroke(QColor(0, 40, 140)));
    p.setBrush(QColor(30, 90, 210));
    p.drawEllipse(QRectF(1.0, 1.0, 14.0, 14.0));
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(6.9, 3.0, 2.2, 2.2));
    p.drawRect(QRectF(7.0, 6.5, 2.0, 6.5));
}

// The word at the top in the pixel font, a thick red arrow under it pointing up (text goes
// out to the word's format) or down (text comes in from it).
void PaintWordAndArrow(QPainter& p, QStringView word, bool bArrowUp) {
    const double x = (kGrid - PixelTextWidth(word)) / 2.0;
    p.setRenderHint(QPainter::Antialiasing, false);
    DrawPixelText(p, QPointF(x, 0.0), word, QColor(0, 0, 0));
    p.setRenderHint(QPainter::Antialiasing, true);
    QPolygonF arrow;
    if (bArrowUp) {
        arrow << QPointF(8, 6) << QPointF(14, 11) << QPointF(10.5, 11) << QPointF(10.5, 16) << QPointF(5.5, 16)
              << QPointF(5.5, 11) << QPointF(2, 11);
    } else {
        arrow << QPointF(8, 16) << QPointF(14, 11) << QPointF(10.5, 11) << QPointF(10.5, 6) << QPointF(5.5, 6)
              << QPointF(5.5, 11) << QPointF(2, 11);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kArrowRed);
    p.drawPolygon(arrow);
}

void PaintCopyToHtml(QPainter& p) { PaintWordAndArrow(p, u"HTML", true); }
void PaintPasteFromInternet(QPainter& p) { PaintWordAndArrow(p, u"HTML", false); }
void PaintNonstyledText(QPainter& p) { PaintWordAndArrow(p, u"CSS", true); }

// A C-clamp: the frame open to the right, the screw through its upper jaw with a T handle.
void PaintClamp(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 90, 170));
    QPainterPath frame;
    frame.addRect(QRectF(1, 4, 2.5, 11));
    frame.addRect(QRectF(1, 4, 9, 2.5));
    frame.addRect(QRectF(1, 12.5, 11, 2.5));
    frame.setFillRule(Qt::WindingFill);
    p.drawPath(frame.simplified());
    p.setBrush(QColor(110, 110, 120));
    p.drawRect(QRectF(10.5, 1.5, 1.5, 8.5));  // screw
    p.drawRect(QRectF(8, 0.5, 6.5, 1.5));     // handle
    p.drawRect(QRectF(9, 9.5, 4.5, 1.5));     // pad
    p.setBrush(kArrowRed);                    // what it holds: the line
    p.drawRect(QRectF(4.5, 11, 8, 1.5));
}

void PaintBucket(QPainter& p) {
    p.setPen(Stroke(QColor(40, 40, 60), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3.5, 0.5, 9, 9), 0 * 16, 180 * 16);  // handle
    QLinearGradient metal(QPointF(3, 0), QPointF(13, 0));
    metal.setColorAt(0.0, QColor(120, 140, 170));
    metal.setColorAt(0.5, QColor(220, 230, 245));
    metal.setColorAt(1.0, QColor(100, 120, 150));
    p.setBrush(metal);
    QPolygonF body;
    body << QPointF(2.5, 5.5) << QPointF(13.5, 5.5) << QPointF(12, 15) << QPointF(4, 15);
    p.drawPolygon(body);
    p.setBrush(QColor(60, 70, 90));
    p.drawEllipse(QRectF(2.5, 4.5, 11, 2.5));
}

void PaintEraser(QPainter& p) {
    p.save();
    p.translate(8.5, 7.0);
    p.rotate(-35);
    p.setPen(Stroke(QColor(60, 60, 60), 0.8));
    p.setBrush(QColor(255, 140, 160));
    p.drawRect(QRectF(-7, -3, 7, 6));
    p.setBrush(QColor(50, 90, 200));
    p.drawRect(QRectF(0, -3, 7, 6));
    p.restore();
    p.setPen(Stroke(QColor(150, 150, 150), 1.0));
    p.drawLine(QPointF(1.5, 14.5), QPointF(9.5, 14.5));
}

// Two blue Hebrew letters, alef and bet, for the help.
void PaintHebrewGlyphs(QPainter& p) {
    p.setFont(BoldFont(12.0));
    p.setPen(kGlyphBlue);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QString::fromUtf16(u"\u05D0\u05D1"));
}

void PaintApplication(QPainter& p) {
    QLinearGradient fill(QPointF(0, 0), QPointF(0, 16));
    fill.setColorAt(0.0, QColor(40, 100, 220));
    fill.setColorAt(1.0, QColor(10, 40, 140));
    p.setPen(Stroke(QColor(5, 25, 90)));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    p.setFont(BoldFont(10.5));
    p.setPen(kPaper);
    p.drawText(QRectF(0, -0.5, 16, 11.5), Qt::AlignCenter, QString::fromUtf16(u"\u05D0"));
    // A red double arrow: logical and visual order, both ways.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 70, 60));
    QPolygonF arrow;
    arrow << QPointF(2.5, 12.5) << QPointF(5, 10.5) << QPointF(5, 12) << QPointF(11, 12) << QPointF(11, 10.5)
          << QPointF(13.5, 12.5) << QPointF(11, 14.5) << QPointF(11, 13) << QPointF(5, 13) << QPointF(5, 14.5);
    p.drawPolygon(arrow);
}

void PaintDocument(QPainter& p) {
    PaintPage(p, 2.5, 0.5, 13.5, 15.5);
    // Lines flush right, as Hebrew paragraphs are.
    p.setPen(Stroke(kGlyphBlue));
    p.drawLine(QPointF(5.5, 4.5), QPointF(9.5, 4.5));
    p.setPen(Stroke(QColor(120, 120, 120)));
    p.drawLine(QPointF(4.5, 7.5), QPointF(11.5, 7.5));
    p.drawLine(QPointF(6.5, 9.5), QPointF(11.5, 9.5));
    p.drawLine(QPointF(4.5, 11.5), QPointF(11.5, 11.5));
    p.drawLine(QPointF(8.5, 13.5), QPointF(11.5, 13.5));
}

GridPainter ToolbarPainter(int nCommandId) {
    switch (nCommandId) {
    case 57600: return PaintNew;
    case 57601: return PaintOpen;
    case 57603: return PaintSave;
    case 57635: return PaintCut;
    case 57634: return PaintCopy;
    case 57637: return PaintPaste;
    case 57607: return PaintPrint;
    case 57664: return PaintAbout;
    case 32776: return PaintCopyToHtml;
    case 32771: return PaintPasteFromInternet;
    case 32781: return PaintNonstyledText;
    case 32803: return PaintClamp;
    case 32778: return PaintBucket;
    case 32779: return PaintEraser;
    case 133: return PaintHebrewGlyphs;
    default: return nullptr;
    }
}

int CommandOfHelpIcon(int nIconId) {
    switch (nIconId) {
    case kIconHelpNonstyled: return 32781;
    case kIconHelpCopyToHtml: return 32776;
    case kIconHelpPaste: return 32771;
    case kIconHelpClearClipboard: return 32778;
    case kIconHelpEraseScreen: return 32779;
    case kIconHelpGeneral: return 133;
    default: return 0;
    }
}

struct NoticeLook {
    int nId;
    const char16_t* pszWords;
    QColor crText;
    QColor crBack;
    int cx;
    int cy;
};

const NoticeLook kNoticeLooks[] = {
    {kBitmapReady, u"READY!", QColor(0, 255, 0), QColor(128, 128, 128), 112, 24},
    {kBitmapClipboardEmpty, u"CLIPBOARD IS EMPTY!", QColor(255, 0, 0), QColor(0, 255, 0), 317, 23},
    {kBitmapScreenEmpty, u"SCREEN IS EMPTY!", QColor(255, 0, 0), QColor(0, 255, 0), 268, 23},
    {kBitmapNothingToCopy, u"NOTHING TO COPY?", QColor(255, 0, 0), QColor(0, 255, 0), 290, 26},
    {kBitmapNothingToPaste, u"NOTHING TO PASTE?", QColor(255, 0, 0), QColor(0, 255, 0), 311, 23},
};

// A bold face sized to the band's height, its letters spread so the words fill about nine
// tenths of its width. Not smoothed: a 16-colour picture has no in-between shades.
QFont NoticeFont(const QString& strWords, int cx, int cy) {
    QFont font = BoldFont(cy * 0.8);
    font.setWeight(QFont::Black);
    font.setStyleStrategy(QFont::NoAntialias);
    const int nGaps = static_cast<int>(strWords.size());
    for (;;) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
        const int cxPlain = QFontMetrics(font).horizontalAdvance(strWords);
        const double dSpare = cx * 0.9 - cxPlain;
        if (dSpare >= 0 || font.pixelSize() <= 6) {
            font.setLetterSpacing(QFont::AbsoluteSpacing, qMax(0.0, dSpare / nGaps));
            return font;
        }
        font.setPixelSize(font.pixelSize() - 1);
    }
}

void PaintStars(QPainter& p, const QRectF& rc, int nCount) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < nCount; ++i) {
        // A fixed scatter, the same on every run.
        const double x = rc.left() + std::fmod(i * 97.3, rc.width());
        const double y = rc.top() + std::fmod(i * 53.9 + i * i * 7.1, rc.height());
        p.setBrush(QColor(255, 255, 255, 60 + (i * 37) % 120));
        const double r = 0.6 + (i % 3) * 0.5;
        p.drawEllipse(QPointF(x, y), r, r);
    }
}

}  // namespace

QIcon ApplicationIcon() { return IconFromGrid(PaintApplication); }

QIcon DocumentIcon() { return IconFromGrid(PaintDocument); }

QIcon ToolbarIcon(int nCommandId) {
    const GridPainter pfnPaint = ToolbarPainter(nCommandId);
    return pfnPaint ? IconFromGrid(pfnPaint) : QIcon();
}

QPixmap DrawToolbarPicture(int nCommandId, int nSize) {
    const GridPainter pfnPaint = ToolbarPainter(nCommandId);
    return pfnPaint ? DrawOnGrid(nSize, pfnPaint) : QPixmap();
}

QIcon HelpButtonIcon(int nIconId) {
    const int nCommandId = CommandOfHelpIcon(nIconId);
    return nCommandId != 0 ? ToolbarIcon(nCommandId) : QIcon();
}

namespace {

// The splash's and the About box's background: a night-blue gradient with stars in its upper
// fStarsHeight part. Leaves p antialiased for what is drawn on it.
void PaintNightSky(QPainter& p, int cx, int cy, double fStarsHeight, int nStars) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient sky(QPointF(0, 0), QPointF(0, cy));
    sky.setColorAt(0.0, QColor(8, 24, 70));
    sky.setColorAt(1.0, QColor(30, 90, 170));
    p.fillRect(QRect(0, 0, cx, cy), sky);
    PaintStars(p, QRectF(0, 0, cx, cy * fStarsHeight), nStars);
}

}  // namespace

QPixmap DrawSplashPicture() {
    constexpr int cx = 450;
    constexpr int cy = 320;
    QPixmap pixmap(cx, cy);
    QPainter p(&pixmap);
    PaintNightSky(p, cx, cy, 0.6, 60);

    // The application icon, large, on the right: a right-to-left program reads from there.
    const QPixmap icon = DrawOnGrid(112, PaintApplication);
    p.drawPixmap(cx - 112 - 36, 44, icon);

    p.setPen(QColor(255, 255, 255));
    p.setFont(BoldFont(54, QStringLiteral("DejaVu Serif")));
    p.drawText(QRect(30, 40, 270, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Velmora"));
    p.setPen(QColor(255, 200, 80));
    p.setFont(BoldFont(22));
    p.drawText(QRect(34, 110, 200, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("2.0"));

    p.setPen(QColor(255, 255, 255));
    p.setFont(BoldFont(24, QStringLiteral("DejaVu Sans")));
    p.drawText(QRect(20, 172, cx - 40, 36), Qt::AlignRight | Qt::AlignVCenter,
               QString::fromUtf16(u"\u05E2\u05D1\u05E8\u05D9\u05EA \u05DC\u05D0\u05D9\u05E0\u05D8\u05E8\u05E0\u05D8"));
    QFont plain(QStringLiteral("DejaVu Sans"));
    plain.setPixelSize(15);
    p.setFont(plain);
    p.setPen(QColor(200, 220, 255));
    p.drawText(QRect(20, 210, cx - 40, 24), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Visual Hebrew for Dreamweaver and UltraDev"));

    // A band of red arrows: text turning from logical to visual order.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 40, 40));
    for (int x = 30; x < cx - 30; x += 40) {
        QPolygonF arrow;
        arrow << QPointF(x, 258) << QPointF(x + 22, 258) << QPointF(x + 22, 252) << QPointF(x + 32, 262)
              << QPointF(x + 22, 272) << QPointF(x + 22, 266) << QPointF(x, 266);
        p.drawPolygon(arrow);
    }
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(11);
    p.setFont(small);
    p.setPen(QColor(170, 190, 230));
    p.drawText(QRect(20, cy - 34, cx - 40, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Copyright \u00A9 2026 The Velmora developers"));
    return pixmap;
}

QPixmap DrawAboutPicture() {
    constexpr int cx = 202;
    constexpr int cy = 135;
    QPixmap pixmap(cx, cy);
    QPainter p(&pixmap);
    PaintNightSky(p, cx, cy, 0.5, 25);

    p.drawPixmap(cx - 64 - 12, 12, DrawOnGrid(64, PaintApplication));
    p.setPen(QColor(255, 255, 255));
    p.setFont(BoldFont(23, QStringLiteral("DejaVu Serif")));
    p.drawText(QRect(10, 14, 110, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Velmora"));
    p.setPen(QColor(255, 200, 80));
    p.setFont(BoldFont(15));
    p.drawText(QRect(12, 54, 80, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("2.0"));
    p.setPen(QColor(255, 255, 255));
    p.setFont(BoldFont(15));
    p.drawText(QRect(8, 88, cx - 16, 22), Qt::AlignRight | Qt::AlignVCenter,
               QString::fromUtf16(u"\u05E2\u05D1\u05E8\u05D9\u05EA \u05DC\u05D0\u05D9\u05E0\u05D8\u05E8\u05E0\u05D8"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 40, 40));
    for (int x = 12; x < cx - 20; x += 30) {
        QPolygonF arrow;
        arrow << QPointF(x, 118) << QPointF(x + 15, 118) << QPointF(x + 15, 114) << QPointF(x + 22, 121)
              << QPointF(x + 15, 128) << QPointF(x + 15, 124) << QPointF(x, 124);
        p.drawPolygon(arrow);
    }
    return pixmap;
}

QPixmap DrawNoticePicture(int nBitmapId) {
    for (const NoticeLook& look : kNoticeLooks) {
        if (look.nId != nBitmapId) continue;
        QPixmap pixmap(look.cx, look.cy);
        pixmap.fill(look.crBack);
        QPainter p(&pixmap);
        const QString strWords = QString::fromUtf16(look.pszWords);
        p.setFont(NoticeFont(strWords, look.cx, look.cy));
        p.setPen(look.crText);
        p.drawText(QRect(0, 0, look.cx, look.cy), Qt::AlignCenter, strWords);
        return pixmap;
    }
    return QPixmap();
}

}  // namespace velmora
