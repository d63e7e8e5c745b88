#pragma once
// A tiny bitmap font of capital letters, five cells high, for words on 16-pixel icons where an
// outline font turns to mush. Each cell is one unit of the painter's coordinates.

#include <QColor>
#include <QPointF>
#include <QStringView>

class QPainter;

namespace velmora {

// Width in cells of text drawn with DrawPixelText (one blank cell between letters). Letters the
// font lacks count as three blank cells.
int PixelTextWidth(QStringView text);

// Draws text with its top-left corner at ptTopLeft, each lit cell a 1 x 1 square in color.
void DrawPixelText(QPainter& painter, QPointF ptTopLeft, QStringView text, const QColor& color);

}  // namespace velmora
