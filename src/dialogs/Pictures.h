#pragma once
// Every picture of the program, drawn in code: the application and document icons, the toolbar
// buttons, the topic buttons of the help window, the About picture, the splash picture and the
// notice pictures. Nothing is read from disk.

#include <QIcon>
#include <QPixmap>

namespace velmora {

// Picture ids of the resources the windows name.
inline constexpr int kIconApplication = 128;
inline constexpr int kBitmapAbout = 134;         // 202 x 135
inline constexpr int kIconHelpNonstyled = 136;   // the Nonstyled text button's picture
inline constexpr int kIconHelpCopyToHtml = 137;  // the Copy to HTML button's picture
inline constexpr int kIconHelpPaste = 139;       // the Paste from Internet button's picture
inline constexpr int kIconHelpClearClipboard = 140;
inline constexpr int kIconHelpEraseScreen = 141;
inline constexpr int kIconHelpGeneral = 142;       // the Hebrew help button's picture
inline constexpr int kBitmapSplash = 146;          // 450 x 320
inline constexpr int kBitmapReady = 155;           // READY!, 112 x 24
inline constexpr int kBitmapClipboardEmpty = 156;  // CLIPBOARD IS EMPTY!, 317 x 23
inline constexpr int kBitmapScreenEmpty = 157;     // SCREEN IS EMPTY!, 268 x 23
inline constexpr int kBitmapNothingToCopy = 158;   // NOTHING TO COPY?, 290 x 26
inline constexpr int kBitmapNothingToPaste = 159;  // NOTHING TO PASTE?, 311 x 23

// The application icon (window icon of the main frame and of the help window), 16 to 64 pixels.
QIcon ApplicationIcon();
// The icon of a Velmora document (an RTF page with right-aligned Hebrew lines).
QIcon DocumentIcon();

// The button picture of a toolbar command, 16 to 64 pixels: 57600 New, 57601 Open, 57603 Save,
// 57635 Cut, 57634 Copy, 57637 Paste, 57607 Print, 57664 About, 32776 Copy to HTML, 32771 Paste
// from Internet, 32781 Nonstyled text, 32803 Set line length, 32778 Clear clipboard, 32779 Erase
// screen, 133 Hebrew help. A null icon for any other id.
QIcon ToolbarIcon(int nCommandId);
// One size of ToolbarIcon, drawn directly at nSize x nSize pixels; null for an unknown id.
QPixmap DrawToolbarPicture(int nCommandId, int nSize);

// The icon of a help topic button (136, 137, 139, 140, 141, 142): the picture of the toolbar
// button whose command the topic explains. A null icon for any other id.
QIcon HelpButtonIcon(int nIconId);

// The splash picture shown at start-up, 450 x 320 pixels.
QPixmap DrawSplashPicture();
// The picture of the About box, 202 x 135 pixels.
QPixmap DrawAboutPicture();
// A notice picture (155 to 159): its words in widely spaced capitals, in its colours and size,
// drawn with plain colours only (no smoothing), so its top-left pixel is its background. A null
// pixmap for any other id.
QPixmap DrawNoticePicture(int nBitmapId);

}  // namespace velmora
