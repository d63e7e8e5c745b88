#include "dialogs/WindowPlacement.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace velmora {

QPoint PlaceOverView(int nLeft, int nTop, int nRight, int nBottom) {
    // The sums run in floating point and are truncated toward zero, also for negative corners
    // (a view on a screen left of or above the primary one).
    const double x = nLeft + nRight * 2.0 / 7.0;
    const double y = nTop + nBottom * 2.0 / 7.0;
    return QPoint(static_cast<int>(x), static_cast<int>(y));
}

QPoint KeepOnScreen(QPoint pt, QSize sz, const QRect& rcScreen) {
    const int x = std::max(rcScreen.left(), std::min(pt.x(), rcScreen.left() + rcScreen.width() - sz.width()));
    const int y = std::max(rcScreen.top(), std::min(pt.y(), rcScreen.top() + rcScreen.height() - sz.height()));
    return QPoint(x, y);
}

QRect ClientRectOnScreen(const QWidget& view) {
    // A scrolling view's client area is its viewport: the frame and scroll bars are not part of it.
    const auto* pScroll = qobject_cast<const QAbstractScrollArea*>(&view);
    const QWidget& client = pScroll ? *pScroll->viewport() : view;
    return QRect(client.mapToGlobal(QPoint(0, 0)), client.size());
}

void MoveOverView(QWidget& window, const QWidget* pView) {
    if (!pView) return;
    const QRect rc = ClientRectOnScreen(*pView);
    const QPoint pt = PlaceOverView(rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height());
    // The rule alone puts the window past the screen's right or bottom edge when the view is
    // near them.
    const QScreen* pScreen = QGuiApplication::screenAt(rc.center());
    if (!pScreen) pScreen = pView->screen();
    window.move(pScreen ? KeepOnScreen(pt, window.size(), pScreen->availableGeometry()) : pt);
}

}  // namespace velmora
