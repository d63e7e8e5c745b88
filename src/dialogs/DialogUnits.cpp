#include "dialogs/DialogUnits.h"

#include <QFontMetricsF>

namespace velmora {
namespace {

struct BaseUnits {
    double x;
    double y;
};

// The average width of the 52 Latin letters and the font's height, as the templates assume.
BaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetricsF fm(font);
    const double cxAlphabet =
        fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(cxAlphabet / 26.0 + 1.0) / 2.0, fm.height()};
}

int ToPixelsX(const BaseUnits& base, int n) { return static_cast<int>(n * base.x / 4.0 + 0.5); }
int ToPixelsY(const BaseUnits& base, int n) { return static_cast<int>(n * base.y / 8.0 + 0.5); }

}  // namespace

QRect DluRect(const QFont& font, int x, int y, int cx, int cy) {
    const BaseUnits base = BaseUnitsOf(font);
    const int nLeft = ToPixelsX(base, x);
    const int nTop = ToPixelsY(base, y);
    return QRect(nLeft, nTop, ToPixelsX(base, x + cx) - nLeft, ToPixelsY(base, y + cy) - nTop);
}

QSize DluSize(const QFont& font, int cx, int cy) {
    const BaseUnits base = BaseUnitsOf(font);
    return QSize(ToPixelsX(base, cx), ToPixelsY(base, cy));
}

}  // namespace velmora
