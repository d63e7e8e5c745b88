#pragma once
// The command ids: the keys of the command table. The numbers are the
// ones users' accelerators, menus and the toolbar are known by; tests look commands up by them.

namespace velmora {

// Framework commands.
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_PRINT_SETUP = 57606;
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_FILE_PRINT_DIRECT = 57608;
inline constexpr int ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr int ID_FILE_MRU_FILE1 = 57616;  // File2..File4 follow
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_FIND = 57636;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_PASTE_SPECIAL = 57639;
inline constexpr int ID_EDIT_REPEAT = 57640;  // Find Next
inline constexpr int ID_EDIT_REPLACE = 57641;
inline constexpr int ID_EDIT_SELECT_ALL = 57642;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;
inline constexpr int ID_OLE_EDIT_PROPERTIES = 57860;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;

// The program's own commands.
inline constexpr int ID_CANCEL_EDIT = 32768;  // Escape: bound, handled by nobody
inline constexpr int ID_PASTE_FROM_HTML = 32771;
inline constexpr int ID_COPY_TO_HTML = 32776;
inline constexpr int ID_CLEAR_CLIPBOARD = 32778;
inline constexpr int ID_ERASE_SCREEN = 32779;
inline constexpr int ID_NONSTYLED_TEXT = 32781;
inline constexpr int ID_MODIFY_TEXT = 32793;  // caption of the context menu
inline constexpr int ID_SET_LINE_LENGTH = 32803;
inline constexpr int ID_LINE_LENGTH_BOX = 32805;
inline constexpr int ID_CAPACITY_FIRST = 32829;  // capacity 2
inline constexpr int ID_CAPACITY_LAST = 32837;   // capacity 10
inline constexpr int ID_HEBREW_HELP = 133;

// The capacity a capacity command chooses (2..10).
inline constexpr int CapacityOfCommand(int nId) { return nId - 32827; }

}  // namespace velmora
