#pragma once
// Dialog units: the layout unit of the window templates, a quarter of the dialog font's average
// character width across and an eighth of its height down, so windows grow with the font.

#include <QFont>
#include <QRect>
#include <QSize>

namespace velmora {

// Pixels of a rectangle given in dialog units (x, y, width, height) for the given font.
QRect DluRect(const QFont& font, int x, int y, int cx, int cy);
// Pixels of a size given in dialog units.
QSize DluSize(const QFont& font, int cx, int cy);

}  // namespace velmora
