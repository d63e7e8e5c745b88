#pragma once
// Where the progress and notice windows go over the editor view.

#include <QPoint>
#include <QRect>

class QWidget;

namespace velmora {

// The top-left corner, in screen pixels, for a window over a view whose client area spans
// left nLeft, top nTop, right nRight and bottom nBottom in screen pixels (right and bottom
// exclusive): x = left + right * 2/7, y = top + bottom * 2/7, truncated toward zero. Right and
// bottom are screen positions, not sizes, so the window sits further right and lower the further
// the view is from the screen's top-left corner.
QPoint PlaceOverView(int nLeft, int nTop, int nRight, int nBottom);

// The top-left corner for a window of size sz at pt, moved as little as needed to keep the window
// wholly inside rcScreen; a window larger than the screen keeps its top-left corner on it.
QPoint KeepOnScreen(QPoint pt, QSize sz, const QRect& rcScreen);

// The view's client area in screen pixels (right and bottom exclusive): for a scrolling view
// (the editor's text view) the viewport inside its frame and scroll bars.
QRect ClientRectOnScreen(const QWidget& view);

// Moves pWindow (a top-level window) to PlaceOverView of pView's client area, keeping its size,
// then as little as needed to keep it wholly on the screen that holds the view (its part not
// taken by panels). Without a view the window is left where it is.
void MoveOverView(QWidget& window, const QWidget* pView);

}  // namespace velmora
