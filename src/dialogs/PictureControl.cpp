#include "dialogs/PictureControl.h"

#include <QImage>
#include <QLabel>
#include <QPalette>

namespace velmora {

void SetCentredPicture(QLabel& label, const QPixmap& pixmap) {
    label.setAlignment(Qt::AlignCenter);
    label.setPixmap(pixmap);
    if (pixmap.isNull()) {
        label.setAutoFillBackground(false);
        return;
    }
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, pixmap.toImage().pixelColor(0, 0));
    label.setPalette(palette);
    label.setAutoFillBackground(true);
}

}  // namespace velmora
