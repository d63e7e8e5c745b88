#pragma once
// The splash window shown for five seconds at start-up (dialog 145).

#include <QDialog>

class QLabel;

// A topmost window without a title bar, centred on the screen, that shows picture 146 (450 by
// 320 pixels, velmora::DrawSplashPicture) in a sunken frame.
class CSplashDlg : public QDialog {
    Q_OBJECT
public:
    CSplashDlg();

    // Shows the window and returns once it has been painted on screen (or after a second, when
    // the display never reports it exposed), so that a blocking wait afterwards keeps it visible.
    void ShowPainted();

private:
    QLabel* m_pPicture;
};

// How long the splash stays up, in milliseconds.
inline constexpr int kSplashMs = 5000;

// Shows the splash, waits kSplashMs on the calling thread without handling events (through
// velmora::BlockingWait, which tests may replace), and destroys it. Needs a QApplication.
void ShowSplash();
