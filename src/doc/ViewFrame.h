#pragma once
// What the view asks of the window around it. The window hands itself to the view; a view
// without one shows no progress window, remembers no line length and has no right-button menu.

#include <QKeyCombination>

class QPoint;
class QString;

namespace velmora {

class IViewFrame {
public:
    virtual ~IViewFrame() = default;
    // Shows strText in the status bar's first pane; an empty text shows "Ready".
    virtual void SetMessageText(const QString& strText) = 0;
    // Remembers nLength, just chosen in the line-length dialog, in the line-length box.
    virtual void RememberLineLength(int nLength) = 0;
    // Shows the right-button menu at globalPos (screen coordinates) and runs the command chosen.
    virtual void ShowContextMenu(const QPoint& globalPos) = 0;
    // True when key runs a command of the window's; the view then leaves the key to it.
    virtual bool IsCommandKey(QKeyCombination key) const = 0;
    // Opens strPath, a file dragged from a file manager onto the view, as File > Open would; once
    // the drop is over, so that a question about unsaved changes does not hold up the drag source.
    virtual void OpenDroppedFile(const QString& strPath) = 0;
};

}  // namespace velmora
