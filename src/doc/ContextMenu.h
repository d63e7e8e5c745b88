#pragma once
// The view's right-button menu (resource 150): the "&Modify" pop-up with the program's commands.

class QMenu;
class QWidget;

namespace velmora {

// Builds menu 150's pop-up, owned by pParent. Each item's data is its command id; the caption
// "MODIFY TEXT" is greyed. The menu is built afresh for every right click and dropped after it.
QMenu* LoadContextMenu(QWidget* pParent);

}  // namespace velmora
