#pragma once
// A picture control with a centred image: the image in the middle, the rest of the control in the
// colour of the image's top-left pixel, so a narrow picture still reads as one full-width band.

#include <QPixmap>

class QLabel;

namespace velmora {

// Shows pixmap centred in label and fills the label's background with the pixmap's top-left
// pixel colour. A null pixmap leaves the label empty in the window's own colour.
void SetCentredPicture(QLabel& label, const QPixmap& pixmap);

}  // namespace velmora
