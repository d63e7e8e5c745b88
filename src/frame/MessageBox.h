#pragma once
// The program's message box: title "Velmora", one OK button, the warning icon unless bPlain.

#include <QString>

class QWidget;

namespace velmora {

inline constexpr const char* kAppName = "Velmora";

void ShowMessage(QWidget* pOwner, const QString& strText, bool bPlain = false);

}  // namespace velmora
