#pragma once
// The status-bar prompt and the tooltip of every command, in English and for a Hebrew user
// interface (where no Hebrew text exists the English one is used).

#include <QString>

namespace velmora {

// The prompt shown in the status bar while the command's menu item or button is under the
// pointer; empty for a command without one.
QString CommandPrompt(int nId, bool bHebrewUi);

// The tooltip of the command's toolbar button; empty for a command without a button.
QString CommandTooltip(int nId, bool bHebrewUi);

// True when the user interface language is Hebrew (the system locale's language).
bool IsHebrewUserInterface();

}  // namespace velmora
