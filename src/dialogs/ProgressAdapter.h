#pragma once
// The conversion engine's progress display over the progress window and the status bar.

#include "convert/Progress.h"

#include <QString>

#include <functional>

namespace velmora {

class CProgressDlg;

class CProgressAdapter final : public IProgress {
public:
    // Sets the text of the main window's first status-bar pane; may be empty (no status bar).
    using StatusSink = std::function<void(const QString&)>;

    // Drives dlg (whose window the command opened with Begin) and fnStatus. An empty fnStatus
    // (no main window) shows no status texts.
    CProgressAdapter(CProgressDlg& dlg, StatusSink fnStatus);

    // Steps the progress window (nothing for nCount <= 0 or a closed window).
    void Step(int32_t nCount, int32_t nPercent) override;
    // Passes the text to the status bar when it differs from the last one passed.
    void SetStatusText(std::u32string_view text) override;

private:
    CProgressDlg& m_dlg;
    StatusSink m_fnStatus;
    QString m_strLastStatus;
    bool m_bStatusSent = false;
};

}  // namespace velmora
