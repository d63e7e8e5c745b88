#include "ContextMenu.h"

#include "frame/CommandIds.h"

#include <QMenu>

#include <array>

namespace velmora {

namespace {

struct MenuItem {
    int nId;  // 0: separator
    const char* pszText;
};

constexpr std::array kItems = {
    MenuItem{ID_MODIFY_TEXT, "MODIFY TEXT"},
    MenuItem{0, nullptr},
    MenuItem{ID_SET_LINE_LENGTH, "Set line length\tAlt+L"},
    MenuItem{0, nullptr},
    MenuItem{ID_COPY_TO_HTML, "Copy to HTML\tAlt+Shift+C        "},
    MenuItem{ID_PASTE_FROM_HTML, "Paste from HTML\tAlt+Shift+P"},
    MenuItem{ID_NONSTYLED_TEXT, "Nonstyled text\tAlt+Shift+N"},
    MenuItem{0, nullptr},
    MenuItem{ID_CLEAR_CLIPBOARD, "Clear clipboard\tAlt+Shift+D"},
    MenuItem{ID_ERASE_SCREEN, "Erase screen\tAlt+Shift+T"},
};

}  // namespace

QMenu* LoadContextMenu(QWidget* pParent) {
    auto* pMenu = new QMenu(QStringLiteral("&Modify"), pParent);
    pMenu->setLayoutDirection(Qt::LeftToRight);
    for (const MenuItem& item : kItems) {
        if (item.nId == 0) {
            pMenu->addSeparator();
            continue;
        }
        QAction* pAction = pMenu->addAction(QString::fromLatin1(item.pszText));
        pAction->setData(item.nId);
        pAction->setEnabled(item.nId != ID_MODIFY_TEXT);
    }
    return pMenu;
}

}  // namespace velmora
