#pragma once
// Translation between the view's Qt formats and the text model's rich-edit formats.

#include "CharFormat.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <cstdint>

namespace velmora {

// The model format of one character in Qt format cf. Sizes are twips (points x 20); a format
// without a size of its own has nDefaultPointSize. A format without a foreground brush, or with
// an empty one, is automatic colour; any other colour becomes 0x00BBGGRR.
CharFormat CharFormatFromQt(const QTextCharFormat& cf, qreal nDefaultPointSize);

// The Qt format that shows cf: the effects, the size (twips / 20 points), the colour (none for
// automatic) and the character set property.
QTextCharFormat QtFromCharFormat(const CharFormat& cf);

// The physical alignment (PFA_LEFT, PFA_RIGHT, PFA_CENTER, PFA_JUSTIFY) of a paragraph whose
// format asks for alignment and whose text runs in direction. Qt's left and right turn around in
// a right-to-left paragraph unless they are absolute.
uint16_t PhysicalAlignment(Qt::Alignment alignment, Qt::LayoutDirection direction);

// The absolute Qt alignment for a model alignment code.
Qt::Alignment QtAlignment(uint16_t wAlignment);

// The block format of a model paragraph: its alignment and its direction.
QTextBlockFormat QtBlockFormat(uint16_t wAlignment, bool bRtl);

}  // namespace velmora
