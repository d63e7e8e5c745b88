#pragma once
// Line arithmetic over a text pane, as the rich-edit control offered it: lines are the lines of
// the pane's current layout (a wrapped paragraph is several lines), counted from 0 at the top of
// the document.

class QTextEdit;

namespace velmora {

// The line holding character position nPos of the pane's document (0 for a position outside it).
int LineFromChar(const QTextEdit& pane, int nPos);

// The line at the top edge of the pane's viewport (the first line of which more than half a
// pixel shows).
int FirstVisibleLine(const QTextEdit& pane);

// Scrolls the pane vertically so that the line nLines below (negative: above) the first visible
// line comes to the top, as far as the pane can scroll.
void LineScroll(QTextEdit& pane, int nLines);

}  // namespace velmora
