#include "ToolbarPictures.h"

#include "CommandIds.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace velmora {

namespace {

constexpr int kImageSize = 16;

QIcon StandIn(int nId) {
    QStyle* pStyle = QApplication::style();
    switch (nId) {
    case ID_FILE_NEW: return pStyle->standardIcon(QStyle::SP_FileIcon);
    case ID_FILE_OPEN: return pStyle->standardIcon(QStyle::SP_DialogOpenButton);
    case ID_FILE_SAVE: return pStyle->standardIcon(QStyle::SP_DialogSaveButton);
    case ID_APP_ABOUT: return pStyle->standardIcon(QStyle::SP_MessageBoxInformation);
    default: break;
    }
    const char* pszLabel = "?";
    QColor colour(0xC0, 0, 0);
    switch (nId) {
    case ID_EDIT_CUT: pszLabel = "X"; colour = Qt::black; break;
    case ID_EDIT_COPY: pszLabel = "C"; colour = Qt::black; break;
    case ID_EDIT_PASTE: pszLabel = "V"; colour = Qt::black; break;
    case ID_FILE_PRINT: pszLabel = "P"; colour = Qt::black; break;
    case ID_COPY_TO_HTML: pszLabel = "H>"; break;
    case ID_PASTE_FROM_HTML: pszLabel = "<H"; break;
    case ID_NONSTYLED_TEXT: pszLabel = "S>"; break;
    case ID_SET_LINE_LENGTH: pszLabel = "|-|"; break;
    case ID_CLEAR_CLIPBOARD: pszLabel = "U"; break;
    case ID_ERASE_SCREEN: pszLabel = "E"; break;
    case ID_HEBREW_HELP: pszLabel = "\xD7\x90?"; colour = Qt::blue; break;
    default: break;
    }
    QPixmap pixmap(kImageSize, kImageSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QString::fromUtf8(pszLabel));
    return QIcon(pixmap);
}

}  // namespace

QIcon ToolbarImage(int nImage, int nId) {
    static const QPixmap strip(QStringLiteral(":/pictures/toolbar128.png"));
    if (!strip.isNull() && strip.width() >= (nImage + 1) * kImageSize) {
        return QIcon(strip.copy(nImage * kImageSize, 0, kImageSize, kImageSize));
    }
    return StandIn(nId);
}

QIcon FrameIcon() {
    if (QFile::exists(QStringLiteral(":/pictures/icon128.png"))) return QIcon(QStringLiteral(":/pictures/icon128.png"));
    return QApplication::style()->standardIcon(QStyle::SP_FileDialogDetailedView);
}

}  // namespace velmora
