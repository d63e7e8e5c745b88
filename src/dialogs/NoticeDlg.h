#pragma once
// The notice window: a one-line picture (or a line of text) over the editor view for a fixed
// time, telling the user that there was nothing to do or that something was emptied.
//
// ShowNotice shows it and returns when it is gone. The interface thread is blocked while the
// notice is up (nothing else may run in between), so the window is painted onto the screen
// before the wait begins.

#include "dialogs/PopupWindow.h"

#include <QString>

class QLabel;

namespace velmora {

// How long a picture notice stays, in milliseconds.
inline constexpr int kNoticeMilliseconds = 500;
// How long the text notice of Paste from Internet stays, in milliseconds.
inline constexpr int kTextNoticeMilliseconds = 800;
// The text notice of Paste from Internet and the window text it goes with.
inline const QString kNothingToPasteText = QStringLiteral("N O T H I N G  TO  P A S T E ?");
inline const QString kPasteFromInternetTitle = QStringLiteral("Paste from Internet");

class CNoticeDlg : public CPopupWindow {
    Q_OBJECT
public:
    // A notice window over pView (may be null), hidden, with an empty picture and a hidden text.
    explicit CNoticeDlg(QWidget* pView);

    QLabel* m_pText;     // 1032, centred, hidden unless the notice is text
    QLabel* m_pPicture;  // 1036, centred picture
};

// Shows the notice picture nBitmapId (155 to 159) over pView for nMilliseconds, with
// strWindowText as the window's text (the window has no caption; it names the notice to the
// window system). An unknown id shows an empty notice for the same time.
void ShowNotice(QWidget* pView, int nBitmapId, const QString& strWindowText = QString(),
                int nMilliseconds = kNoticeMilliseconds);

// Shows strText as the notice's text line instead of a picture.
void ShowTextNotice(QWidget* pView, const QString& strText, const QString& strWindowText,
                    int nMilliseconds = kTextNoticeMilliseconds);

}  // namespace velmora
