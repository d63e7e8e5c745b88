#pragma once
// The conversion progress window: a caption, a bar over the characters to convert, the
// percentage, a Cancel converting button, and the READY! picture at the end.
//
// The view keeps one CProgressDlg for its whole life. Begin opens the window, Step advances it,
// Finish shows 100%, then READY!, and closes it. A conversion keeps the interface thread busy and
// dispatches no messages, so every change is painted onto the screen at once. A window that a
// failed conversion left open stays until the user presses Cancel converting (or Esc); the next
// Begin reuses it, so there is never more than one.

#include "dialogs/PopupWindow.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace velmora {

// How long the last percentage and the READY! picture each stay on screen, in milliseconds.
inline constexpr int kProgressReadyMilliseconds = 500;
// The status-bar text after a conversion.
inline const QString kStatusReady = QStringLiteral("Ready");

class CProgressDlg : public CPopupWindow {
    Q_OBJECT
public:
    // Sets the text of the main window's first status-bar pane.
    using StatusSink = std::function<void(const QString&)>;

    // A progress window over pView (the editor view, may be null), not shown. Without a status
    // sink, Finish writes to the status bar of pView's main window, if it has one.
    explicit CProgressDlg(QWidget* pView = nullptr, StatusSink fnStatus = {});

    void SetStatusSink(StatusSink fnStatus) { m_fnStatus = std::move(fnStatus); }

    // Opens the window over the view (placed by PlaceOverView), shows strCaption, a bar from
    // 0 to nTotal characters at 0, "0%", and the Cancel converting button with the focus.
    void Begin(const QString& strCaption, int nTotal);

    // Advances the bar by nCount characters (not past its end) and shows nPercent followed by
    // "%". Does nothing while the window is not open or for nCount <= 0.
    void Step(int nCount, int nPercent);

    // Shows "100%", sets the status bar to strStatus followed by "100%", waits 500 ms, sets it to
    // "Ready", shows the READY! picture alone for 500 ms and closes the window. Runs its status
    // steps even when the window was closed.
    void Finish(const QString& strStatus);

    // Sets the first status-bar pane of the main window to strText and paints it at once:
    // through the status sink, or else on the status bar of the view's main window, if any.
    void ShowStatusText(const QString& strText);

    // True while the window is on screen.
    bool IsOpen() const { return isVisible(); }

    // The controls, for the view and the tests to read.
    QLabel* m_pPicture;      // 1034, READY!
    QLabel* m_pPercent;      // 1024
    QPushButton* m_pCancel;  // 2, Cancel converting
    QLabel* m_pCaption;      // 1018
    QProgressBar* m_pBar;    // 1017

protected:
    // Gives the keyboard back to the window that had it before Begin.
    void hideEvent(QHideEvent* pEvent) override;

private:
    void ShowPercent(int nPercent);
    void PaintIfDue(bool bChanged);

    StatusSink m_fnStatus;
    QElapsedTimer m_lastPaint;
    QPointer<QWidget> m_pWasActive;
};

}  // namespace velmora
