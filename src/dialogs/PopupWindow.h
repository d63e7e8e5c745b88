#pragma once
// The look of the progress and notice windows: a popup without caption inside a raised dialog
// frame, owned by the editor view but a window of its own, never shown by its constructor.

#include <QDialog>

class QFrame;

namespace velmora {

class CPopupWindow : public QDialog {
    Q_OBJECT
public:
    // A window whose client area is cxDlu x cyDlu dialog units of the application font.
    CPopupWindow(QWidget* pView, int cxDlu, int cyDlu);

    // The area inside the frame; controls go here, placed in dialog units.
    QWidget* Client() const { return m_pClient; }
    // Pixels of a rectangle given in dialog units of this window's font.
    QRect Dlu(int x, int y, int cx, int cy) const;

private:
    QFrame* m_pFrame;
    QWidget* m_pClient;
};

}  // namespace velmora
