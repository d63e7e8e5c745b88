#include "CommandTable.h"

#include "CommandIds.h"
#include "MainFrame.h"
#include "doc/Tesslar2View.h"

#include <QLocale>

namespace velmora {

namespace {

CTesslar2View& View(CMainFrame& frame) { return *frame.GetActiveView(); }

bool IsWritable(const CMainFrame& frame) { return !frame.GetActiveView()->isReadOnly(); }
bool HasSelection(const CMainFrame& frame) { return frame.GetActiveView()->textCursor().hasSelection(); }
bool CanPaste(const CMainFrame& frame) { return IsWritable(frame) && frame.GetActiveView()->canPaste(); }

void OpenRecentFile(CMainFrame& frame, int nId) { frame.OnOpenRecentFile(nId - ID_FILE_MRU_FILE1); }

void ChooseCapacity(CMainFrame& frame, int nId) { frame.OnLineLengthBoxCapacity(CapacityOfCommand(nId)); }

// clang-format off
constexpr CommandRow kCommands[] = {
    // File
    {.nId = ID_FILE_NEW, .menu = MenuPlace::File, .pszMenuText = "&New\tCtrl+N",
     .pszPrompt = "Create a new document", .pszTooltip = "New", .keys = {Qt::CTRL | Qt::Key_N},
     .nToolbarSlot = 0, .handler = [](CMainFrame& f, int) { f.OnFileNew(); }},
    {.nId = ID_FILE_OPEN, .menu = MenuPlace::File, .pszMenuText = "&Open...\tCtrl+O",
     .pszPrompt = "Open an existing document", .pszTooltip = "Open", .keys = {Qt::CTRL | Qt::Key_O},
     .nToolbarSlot = 1, .handler = [](CMainFrame& f, int) { f.OnFileOpen(); }},
    {.nId = ID_FILE_SAVE, .menu = MenuPlace::File, .pszMenuText = "&Save\tCtrl+S",
     .pszPrompt = "Save the active document", .pszTooltip = "Save", .keys = {Qt::CTRL | Qt::Key_S},
     .nToolbarSlot = 2, .handler = [](CMainFrame& f, int) { f.OnFileSave(); }},
    {.nId = ID_FILE_SAVE_AS, .menu = MenuPlace::File, .pszMenuText = "Save &As...",
     .pszPrompt = "Save the active document with a new name", .handler = [](CMainFrame& f, int) { f.OnFileSaveAs(); }},
    {.nId = ID_FILE_PRINT, .menu = MenuPlace::File, .bSeparatorBefore = true, .pszMenuText = "&Print...\tCtrl+P",
     .pszPrompt = "Print the active document", .pszTooltip = "Print", .keys = {Qt::CTRL | Qt::Key_P},
     .nToolbarSlot = 8, .handler = [](CMainFrame& f, int) { View(f).OnFilePrint(); }},
    {.nId = ID_FILE_PRINT_PREVIEW, .menu = MenuPlace::File, .pszMenuText = "Print Pre&view",
     .pszPrompt = "Display full pages", .handler = [](CMainFrame& f, int) { View(f).OnFilePrintPreview(); }},
    {.nId = ID_FILE_PRINT_SETUP, .menu = MenuPlace::File, .pszMenuText = "P&rint Setup...",
     .pszPrompt = "Change the printer and printing options",
     .handler = [](CMainFrame& f, int) { f.OnFilePrintSetup(); }},
    {.nId = ID_FILE_PRINT_DIRECT, .handler = [](CMainFrame& f, int) { View(f).OnFilePrintDirect(); }},
    // The first recent file's item stands for the list; the frame fills in the others.
    {.nId = ID_FILE_MRU_FILE1, .menu = MenuPlace::File, .bSeparatorBefore = true, .pszMenuText = "Recent File",
     .pszPrompt = "Open this document", .handler = OpenRecentFile},
    {.nId = ID_FILE_MRU_FILE1 + 1, .pszPrompt = "Open this document", .handler = OpenRecentFile},
    {.nId = ID_FILE_MRU_FILE1 + 2, .pszPrompt = "Open this document", .handler = OpenRecentFile},
    {.nId = ID_FILE_MRU_FILE1 + 3, .pszPrompt = "Open this document", .handler = OpenRecentFile},
    {.nId = ID_APP_EXIT, .menu = MenuPlace::File, .bSeparatorBefore = true, .pszMenuText = "E&xit",
     .pszPrompt = "Quit the application; prompts to save documents",
     .handler = [](CMainFrame& f, int) { f.OnAppExit(); }},
    // Edit
    {.nId = ID_EDIT_UNDO, .menu = MenuPlace::Edit, .pszMenuText = "&Undo\tCtrl+Z", .pszPrompt = "Undo the last action",
     .keys = {Qt::CTRL | Qt::Key_Z, Qt::ALT | Qt::Key_Backspace},
     .handler = [](CMainFrame& f, int) { View(f).undo(); },
     .enabler = [](const CMainFrame& f) { return IsWritable(f) && f.GetActiveView()->document()->isUndoAvailable(); }},
    {.nId = ID_EDIT_CUT, .menu = MenuPlace::Edit, .bSeparatorBefore = true, .pszMenuText = "Cu&t\tCtrl+X",
     .pszPrompt = "Cut the selection and put it on the Clipboard", .pszTooltip = "Cut",
     .keys = {Qt::CTRL | Qt::Key_X, Qt::SHIFT | Qt::Key_Delete}, .nToolbarSlot = 4,
     .handler = [](CMainFrame& f, int) { View(f).cut(); },
     .enabler = [](const CMainFrame& f) { return IsWritable(f) && HasSelection(f); }},
    {.nId = ID_EDIT_COPY, .menu = MenuPlace::Edit, .pszMenuText = "&Copy\tCtrl+C",
     .pszPrompt = "Copy the selection and put it on the Clipboard", .pszTooltip = "Copy",
     .keys = {Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert}, .nToolbarSlot = 5,
     .handler = [](CMainFrame& f, int) { View(f).copy(); }, .enabler = HasSelection},
    {.nId = ID_EDIT_PASTE, .menu = MenuPlace::Edit, .pszMenuText = "&Paste\tCtrl+V",
     .pszPrompt = "Insert Clipboard contents", .pszTooltip = "Paste",
     .keys = {Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert}, .nToolbarSlot = 6,
     .handler = [](CMainFrame& f, int) { View(f).paste(); }, .enabler = CanPaste},
    {.nId = ID_EDIT_PASTE_SPECIAL, .menu = MenuPlace::Edit, .pszMenuText = "Paste &Special...",
     .pszPrompt = "Insert Clipboard contents with options",
     .handler = [](CMainFrame& f, int) { View(f).OnEditPasteSpecial(); }, .enabler = CanPaste},
    {.nId = ID_EDIT_SELECT_ALL, .menu = MenuPlace::Edit, .pszMenuText = "Select A&ll\tCtrl+A",
     .pszPrompt = "Select the entire document", .keys = {Qt::CTRL | Qt::Key_A},
     .handler = [](CMainFrame& f, int) { View(f).selectAll(); }},
    {.nId = ID_EDIT_FIND, .menu = MenuPlace::Edit, .bSeparatorBefore = true, .pszMenuText = "&Find...\tCtrl+F",
     .pszPrompt = "Find the specified text", .keys = {Qt::CTRL | Qt::Key_F},
     .handler = [](CMainFrame& f, int) { View(f).OnEditFind(); }},
    {.nId = ID_EDIT_REPEAT, .menu = MenuPlace::Edit, .pszMenuText = "F&ind Next\tF3",
     .pszPrompt = "Repeat the last action", .keys = {QKeyCombination(Qt::Key_F3)},
     .handler = [](CMainFrame& f, int) { View(f).OnEditRepeat(); }},
    {.nId = ID_EDIT_REPLACE, .menu = MenuPlace::Edit, .pszMenuText = "R&eplace\tCtrl+H",
     .pszPrompt = "Replace specific text with different text", .keys = {Qt::CTRL | Qt::Key_H},
     .handler = [](CMainFrame& f, int) { View(f).OnEditReplace(); }},
    // Keys the window binds and nobody handles.
    {.nId = ID_OLE_EDIT_PROPERTIES, .keys = {Qt::ALT | Qt::Key_Return}},
    {.nId = ID_NEXT_PANE, .keys = {QKeyCombination(Qt::Key_F6)}},
    {.nId = ID_PREV_PANE, .keys = {Qt::SHIFT | Qt::Key_F6}},
    {.nId = ID_CANCEL_EDIT, .keys = {QKeyCombination(Qt::Key_Escape)}},
    // View
    {.nId = ID_VIEW_TOOLBAR, .menu = MenuPlace::View, .bCheckable = true, .pszMenuText = "Toolbar",
     .pszPrompt = "Show or hide the toolbar", .handler = [](CMainFrame& f, int) { f.OnViewToolbar(); }},
    {.nId = ID_VIEW_STATUS_BAR, .menu = MenuPlace::View, .bCheckable = true, .pszMenuText = "Status Bar",
     .pszPrompt = "Show or hide the status bar", .handler = [](CMainFrame& f, int) { f.OnViewStatusBar(); }},
    // Modify, and the right-button menu under its caption
    {.nId = ID_MODIFY_TEXT, .bContextMenu = true, .pszMenuText = "MODIFY TEXT"},
    {.nId = ID_SET_LINE_LENGTH, .menu = MenuPlace::Modify, .bContextMenu = true, .bSeparatorBefore = true,
     .pszMenuText = "Set line length\tAlt+L", .pszPrompt = "Set line length Alt+L", .pszPromptHe = "Set line length",
     .pszTooltip = "Set line length Alt+L", .pszTooltipHe = "Set line length", .keys = {Qt::ALT | Qt::Key_L},
     .nToolbarSlot = 15, .handler = [](CMainFrame& f, int) { View(f).OnSetLineLength(); }},
    {.nId = ID_LINE_LENGTH_BOX, .nToolbarSlot = 16},
    {.nId = ID_CAPACITY_FIRST, .menu = MenuPlace::Capacity, .bCheckable = true, .pszMenuText = "2",
     .pszPrompt = "Remember last two line length settings in menu dropdown box", .keys = {Qt::ALT | Qt::Key_S},
     .handler = ChooseCapacity},
    {.nId = ID_CAPACITY_FIRST + 1, .menu = MenuPlace::Capacity, .bCheckable = true, .pszMenuText = "3",
     .pszPrompt = "Remember last three line length settings in menu dropdown box", .handler = ChooseCapacity},
    {.nId = ID_CAPACITY_FIRST + 2, .menu = MenuPlace::Capacity, .bCheckable = true, .pszMenuText = "4",
     .pszPrompt = "Remember last four line length settings in menu dropdown box", .handler = ChooseCapacity},
    {.nId = ID_CAPACITY_FIRST + 3, .menu = MenuPlace::Capacity, .bCheckable = true, .pszMenuText = "5",
     .pszPrompt = "Remember last five line length settings in menu dropdown box", .handler = ChooseCapacity},
    {.nId = ID_CAPACITY_FIRST + 4, .menu = MenuPlace::Capacity, .bCheckable = true, .pszMenuText = "6",
     .pszPrompt = "Remember last six line length settings in menu dropdown box", .handler = ChooseCapacity},
    {.nId = ID_CAPACITY_FIRST + 5, .menu = MenuPlace::Capacity, .bCheckable = true, .pszMenuText = "7",
     .pszPrompt = "Remember last seven line length settings in menu dropdown box", .handler = ChooseCapacity},
    {.nId = ID_CAPACITY_FIRST + 6, .menu = MenuPlace::Capacity, .bCheckable = true, .pszMenuText = "8",
     .pszPrompt = "Remember last eight line length settings in menu dropdown box", .handler = ChooseCapacity},
    {.nId = ID_CAPACITY_FIRST + 7, .menu = MenuPlace::Capacity, .bCheckable = true, .pszMenuText = "9",
     .pszPrompt = "Remember last nine line length settings in menu dropdown box", .handler = ChooseCapacity},
    {.nId = ID_CAPACITY_LAST, .menu = MenuPlace::Capacity, .bCheckable = true, .pszMenuText = "10",
     .pszPrompt = "Remember last ten line length settings in menu dropdown box", .handler = ChooseCapacity},
    {.nId = ID_COPY_TO_HTML, .menu = MenuPlace::Modify, .bContextMenu = true, .bSeparatorBefore = true,
     .pszMenuText = "Copy to HTML\tAlt+Shift+C        ", .pszPrompt = "Copy to Internet  Alt+Shift+C",
     .pszPromptHe = "Copy hebrew for Internet", .pszTooltip = "Copy to Internet  Alt+Shift+C ",
     .pszTooltipHe = "Copy hebrew for Internet", .keys = {Qt::ALT | Qt::SHIFT | Qt::Key_C}, .nToolbarSlot = 11,
     .handler = [](CMainFrame& f, int) { View(f).OnCopyToHtml(); }},
    {.nId = ID_PASTE_FROM_HTML, .menu = MenuPlace::Modify, .bContextMenu = true,
     .pszMenuText = "Paste from HTML\tAlt+Shift+P", .pszPrompt = "Paste from Internet Alt+Shift+P",
     .pszPromptHe = "Paste hebrew from Internet", .pszTooltip = "Paste from Internet Alt+Shift+P",
     .pszTooltipHe = "Paste hebrew from Internet", .keys = {Qt::ALT | Qt::SHIFT | Qt::Key_P}, .nToolbarSlot = 12,
     .handler = [](CMainFrame& f, int) { View(f).OnPasteFromInternet(); }},
    {.nId = ID_NONSTYLED_TEXT, .menu = MenuPlace::Modify, .bContextMenu = true,
     .pszMenuText = "Nonstyled text\tAlt+Shift+N", .pszPrompt = "Copy non-styled text Alt+Shift+N",
     .pszPromptHe = "Copy non-styled Hebrew", .pszTooltip = "Copy non-styled text Alt+Shift+N",
     .pszTooltipHe = "Copy non-styled Hebrew", .keys = {Qt::ALT | Qt::SHIFT | Qt::Key_N}, .nToolbarSlot = 13,
     .handler = [](CMainFrame& f, int) { View(f).OnNonstyledText(); }},
    {.nId = ID_CLEAR_CLIPBOARD, .menu = MenuPlace::Modify, .bContextMenu = true, .bSeparatorBefore = true,
     .pszMenuText = "Clear clipboard\tAlt+Shift+D", .pszPrompt = "Clear clipboard content Alt+Shift+D",
     .pszPromptHe = "Clear clipboard content", .pszTooltip = "Clear Clipboard Alt+Shift+D",
     .pszTooltipHe = "Clear Clipboard", .keys = {Qt::ALT | Qt::SHIFT | Qt::Key_D}, .nToolbarSlot = 18,
     .handler = [](CMainFrame& f, int) { View(f).OnClearClipboard(); }},
    {.nId = ID_ERASE_SCREEN, .menu = MenuPlace::Modify, .bContextMenu = true,
     .pszMenuText = "Erase screen\tAlt+Shift+T", .pszPrompt = "Eraze all text from the screen Alt+Shift+T",
     .pszPromptHe = "Eraze all text from the screen", .pszTooltip = "Eraze Text Alt+Shift+T",
     .pszTooltipHe = "Eraze Text", .keys = {Qt::ALT | Qt::SHIFT | Qt::Key_T}, .nToolbarSlot = 19,
     .handler = [](CMainFrame& f, int) { View(f).OnEraseScreen(); }},
    // Help
    {.nId = ID_APP_ABOUT, .menu = MenuPlace::Help, .pszMenuText = "About Velmora\tAlt+A",
     .pszPrompt = "Display program information, version number and copyright Alt+A", .pszTooltip = "About Alt+A",
     .keys = {Qt::ALT | Qt::Key_A}, .nToolbarSlot = 9, .handler = [](CMainFrame& f, int) { emit f.AboutRequested(); }},
    {.nId = ID_HEBREW_HELP, .menu = MenuPlace::Help, .bSeparatorBefore = true, .pszMenuText = "Hebrew help\tAlt+W",
     .pszPrompt = "Hebrew Help Alt+W", .pszPromptHe = "Click it to get hebrew help", .pszTooltip = "Hebrew Help Alt+W",
     .pszTooltipHe = "Hebrew Help", .keys = {Qt::ALT | Qt::Key_W}, .nToolbarSlot = 21,
     .handler = [](CMainFrame& f, int) { emit f.HebrewHelpRequested(); }},
};
// clang-format on

QString Localised(const char* pszText, const char* pszHebrew, bool bHebrewUi) {
    return QString::fromLatin1(bHebrewUi && pszHebrew ? pszHebrew : pszText);
}

}  // namespace

std::span<const CommandRow> CommandTable() { return kCommands; }

const CommandRow* FindCommand(int nId) {
    for (const CommandRow& row : kCommands) {
        if (row.nId == nId) return &row;
    }
    return nullptr;
}

QString CommandPrompt(int nId, bool bHebrewUi) {
    const CommandRow* pRow = FindCommand(nId);
    return pRow ? Localised(pRow->pszPrompt, pRow->pszPromptHe, bHebrewUi) : QString();
}

QString CommandTooltip(int nId, bool bHebrewUi) {
    const CommandRow* pRow = FindCommand(nId);
    return pRow ? Localised(pRow->pszTooltip, pRow->pszTooltipHe, bHebrewUi) : QString();
}

int CommandOfKey(QKeyCombination key) {
    for (const CommandRow& row : kCommands) {
        for (const QKeyCombination bound : row.keys) {
            if (bound.key() != Qt::Key_unknown && bound == key) return row.nId;
        }
    }
    return 0;
}

bool IsAcceleratorKey(QKeyCombination key) {
    // The keypad's Enter is Alt+Enter's twin; modifiers such as the keypad flag do not count.
    const Qt::KeyboardModifiers mods =
        key.keyboardModifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return CommandOfKey(QKeyCombination(mods, key.key())) != 0;
}

bool IsHebrewUserInterface() { return QLocale().language() == QLocale::Hebrew; }

}  // namespace velmora
