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

// The view's client area in screen pixels (right and bottom exclusive): for a scrolling view
// (the editor's text view) the viewport inside its frame and scroll bars.
QRect ClientRectOnScreen(const QWidget& view);

// Moves pWindow (a top-level window) to PlaceOverView of pView's client area, keeping its size.
// Without a view the window is left where it is.
void MoveOverView(QWidget& window, const QWidget* pView);

}  // namespace velmora
