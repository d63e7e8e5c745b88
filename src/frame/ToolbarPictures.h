#pragma once
// The pictures of the toolbar buttons and the frame icon. The pictures themselves are drawn
// elsewhere and kept as resources (":/pictures/toolbar128.png", a strip of 16 images of 16 by 16
// pixels in entry order, and ":/pictures/icon128.png"); until a picture is there, a plain
// stand-in is drawn so every button stays visible and recognisable by its label.

#include <QIcon>

namespace velmora {

// Image nImage (0..15) of toolbar bitmap 128, for the command nId.
QIcon ToolbarImage(int nImage, int nId);

// Frame icon 128.
QIcon FrameIcon();

}  // namespace velmora
