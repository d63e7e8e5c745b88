#pragma once
// The one table of the program's commands: for each command id its menu item, status-bar prompt
// and tooltip (English and for a Hebrew user interface), keys, toolbar slot and handler. The main
// frame builds its actions, menus, toolbar, accelerators and the view's right-button menu from it,
// and routes every command through it. A new command is one row here and one handler.

#include <QKeyCombination>
#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace velmora {

class CMainFrame;

// Where a command's menu item goes; items of one menu stand in table order.
enum class MenuPlace : uint8_t {
    None,
    File,
    Edit,
    View,
    Modify,
    Capacity,
    Help
};

// Runs command nId in frame.
using CommandHandler = void (*)(CMainFrame& frame, int nId);
// Whether the command can act now; its menu item and button are greyed when it cannot.
using CommandEnabler = bool (*)(const CMainFrame& frame);

struct CommandRow {
    int nId;
    MenuPlace menu = MenuPlace::None;
    bool bContextMenu = false;      // also in the view's right-button menu, in table order
    bool bSeparatorBefore = false;  // in every menu that shows it, unless the item opens the menu
    bool bCheckable = false;
    const char* pszMenuText = nullptr;
    const char* pszPrompt = "";                // status-bar prompt
    const char* pszPromptHe = nullptr;         // nullptr: the English prompt
    const char* pszTooltip = "";               // toolbar tooltip
    const char* pszTooltipHe = nullptr;        // nullptr: the English tooltip
    std::array<QKeyCombination, 2> keys = {};  // Qt::Key_unknown: none
    int nToolbarSlot = -1;                     // entry of the toolbar; the free slots are separators
    CommandHandler handler = nullptr;          // nullptr: bound to its keys or menu, handled by nobody
    CommandEnabler enabler = nullptr;          // nullptr: always enabled
};

std::span<const CommandRow> CommandTable();

// The row of nId; nullptr for an id that is not a command.
const CommandRow* FindCommand(int nId);

// The prompt shown in the status bar while the command's menu item or button is under the
// pointer; empty for a command without one.
QString CommandPrompt(int nId, bool bHebrewUi);

// The tooltip of the command's toolbar button; empty for a command without a button.
QString CommandTooltip(int nId, bool bHebrewUi);

// The command whose keys include key; 0 for none.
int CommandOfKey(QKeyCombination key);

// True when key (with its modifiers) is one of the table's keys; the view leaves such keys to
// the accelerators instead of acting on them itself.
bool IsAcceleratorKey(QKeyCombination key);

// True when the user interface language is Hebrew (the system locale's language).
bool IsHebrewUserInterface();

}  // namespace velmora
