#include "CommandTexts.h"

#include "CommandIds.h"

#include <QLocale>

#include <array>

namespace velmora {

namespace {

struct CommandText {
    int nId;
    const char* pszPrompt;
    const char* pszTooltip;
    const char* pszPromptHe;   // nullptr: the English text
    const char* pszTooltipHe;  // nullptr: the English text
};

constexpr std::array kTexts = {
    CommandText{ID_FILE_NEW, "Create a new document", "New", nullptr, nullptr},
    CommandText{ID_FILE_OPEN, "Open an existing document", "Open", nullptr, nullptr},
    CommandText{ID_FILE_SAVE, "Save the active document", "Save", nullptr, nullptr},
    CommandText{ID_FILE_SAVE_AS, "Save the active document with a new name", "", nullptr, nullptr},
    CommandText{ID_FILE_PRINT_SETUP, "Change the printer and printing options", "", nullptr, nullptr},
    CommandText{ID_FILE_PRINT, "Print the active document", "Print", nullptr, nullptr},
    CommandText{ID_FILE_PRINT_PREVIEW, "Display full pages", "", nullptr, nullptr},
    CommandText{ID_FILE_MRU_FILE1, "Open this document", "", nullptr, nullptr},
    CommandText{ID_FILE_MRU_FILE1 + 1, "Open this document", "", nullptr, nullptr},
    CommandText{ID_FILE_MRU_FILE1 + 2, "Open this document", "", nullptr, nullptr},
    CommandText{ID_FILE_MRU_FILE1 + 3, "Open this document", "", nullptr, nullptr},
    CommandText{ID_APP_EXIT, "Quit the application; prompts to save documents", "", nullptr, nullptr},
    CommandText{ID_EDIT_UNDO, "Undo the last action", "", nullptr, nullptr},
    CommandText{ID_EDIT_CUT, "Cut the selection and put it on the Clipboard", "Cut", nullptr, nullptr},
    CommandText{ID_EDIT_COPY, "Copy the selection and put it on the Clipboard", "Copy", nullptr, nullptr},
    CommandText{ID_EDIT_PASTE, "Insert Clipboard contents", "Paste", nullptr, nullptr},
    CommandText{ID_EDIT_PASTE_SPECIAL, "Insert Clipboard contents with options", "", nullptr, nullptr},
    CommandText{ID_EDIT_SELECT_ALL, "Select the entire document", "", nullptr, nullptr},
    CommandText{ID_EDIT_FIND, "Find the specified text", "", nullptr, nullptr},
    CommandText{ID_EDIT_REPEAT, "Repeat the last action", "", nullptr, nullptr},
    CommandText{ID_EDIT_REPLACE, "Replace specific text with different text", "", nullptr, nullptr},
    CommandText{ID_VIEW_TOOLBAR, "Show or hide the toolbar", "", nullptr, nullptr},
    CommandText{ID_VIEW_STATUS_BAR, "Show or hide the status bar", "", nullptr, nullptr},
    CommandText{ID_APP_ABOUT, "Display program information, version number and copyright Alt+A", "About Alt+A",
                nullptr, nullptr},
    CommandText{ID_COPY_TO_HTML, "Copy to Internet  Alt+Shift+C", "Copy to Internet  Alt+Shift+C ",
                "Copy hebrew for Internet", "Copy hebrew for Internet"},
    CommandText{ID_PASTE_FROM_HTML, "Paste from Internet Alt+Shift+P", "Paste from Internet Alt+Shift+P",
                "Paste hebrew from Internet", "Paste hebrew from Internet"},
    CommandText{ID_NONSTYLED_TEXT, "Copy non-styled text Alt+Shift+N", "Copy non-styled text Alt+Shift+N",
                "Copy non-styled Hebrew", "Copy non-styled Hebrew"},
    CommandText{ID_SET_LINE_LENGTH, "Set line length Alt+L", "Set line length Alt+L", "Set line length",
                "Set line length"},
    CommandText{ID_CLEAR_CLIPBOARD, "Clear clipboard content Alt+Shift+D", "Clear Clipboard Alt+Shift+D",
                "Clear clipboard content", "Clear Clipboard"},
    CommandText{ID_ERASE_SCREEN, "Eraze all text from the screen Alt+Shift+T", "Eraze Text Alt+Shift+T",
                "Eraze all text from the screen", "Eraze Text"},
    CommandText{ID_HEBREW_HELP, "Hebrew Help Alt+W", "Hebrew Help Alt+W", "Click it to get hebrew help",
                "Hebrew Help"},
};

constexpr std::array kCapacityWords = {"two", "three", "four", "five", "six", "seven", "eight", "nine", "ten"};

const CommandText* FindText(int nId) {
    for (const CommandText& text : kTexts) {
        if (text.nId == nId) return &text;
    }
    return nullptr;
}

}  // namespace

QString CommandPrompt(int nId, bool bHebrewUi) {
    if (nId >= ID_CAPACITY_FIRST && nId <= ID_CAPACITY_LAST) {
        return QStringLiteral("Remember last %1 line length settings in menu dropdown box")
            .arg(QLatin1String(kCapacityWords[static_cast<size_t>(nId - ID_CAPACITY_FIRST)]));
    }
    const CommandText* pText = FindText(nId);
    if (!pText) return {};
    return QString::fromLatin1(bHebrewUi && pText->pszPromptHe ? pText->pszPromptHe : pText->pszPrompt);
}

QString CommandTooltip(int nId, bool bHebrewUi) {
    const CommandText* pText = FindText(nId);
    if (!pText) return {};
    return QString::fromLatin1(bHebrewUi && pText->pszTooltipHe ? pText->pszTooltipHe : pText->pszTooltip);
}

bool IsHebrewUserInterface() { return QLocale().language() == QLocale::Hebrew; }

}  // namespace velmora
