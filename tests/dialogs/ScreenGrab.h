#pragma once
// Reading back what is on the X screen, to check that a window was painted before a blocking wait.

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>

namespace velmora::test {

// The screen's pixels under widget's window (frame included), as the X server holds them now.
inline QImage GrabScreenUnder(const QWidget& widget) {
    const QRect rc = widget.frameGeometry();
    return QGuiApplication::primaryScreen()->grabWindow(0, rc.x(), rc.y(), rc.width(), rc.height()).toImage();
}

// How many pixels of image have exactly the colour cr.
inline int CountPixels(const QImage& image, const QColor& cr) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb want = cr.rgb();
    int n = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* pLine = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) n += (pLine[x] | 0xFF000000) == (want | 0xFF000000) ? 1 : 0;
    }
    return n;
}

}  // namespace velmora::test
