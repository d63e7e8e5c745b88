#include "dialogs/ProgressAdapter.h"

#include "dialogs/ProgressDlg.h"

namespace velmora {

CProgressAdapter::CProgressAdapter(CProgressDlg& dlg, StatusSink fnStatus)
    : m_dlg(dlg), m_fnStatus(std::move(fnStatus)) {}

void CProgressAdapter::Step(int32_t nCount, int32_t nPercent) { m_dlg.Step(nCount, nPercent); }

void CProgressAdapter::SetStatusText(std::u32string_view text) {
    if (!m_fnStatus) return;
    // The engine sends the text after every piece; it changes only with the percentage, and a
    // status bar repainted thousands of times would slow the command down.
    const QString strText = QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
    if (m_bStatusSent && strText == m_strLastStatus) return;
    m_strLastStatus = strText;
    m_bStatusSent = true;
    m_fnStatus(strText);
}

}  // namespace velmora
