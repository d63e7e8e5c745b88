#include "AcceleratorTable.h"

#include "CommandIds.h"

namespace velmora {

const std::vector<Accelerator>& MainAccelerators() {
    static const std::vector<Accelerator> table = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), ID_FILE_NEW},
        {QKeySequence(Qt::CTRL | Qt::Key_O), ID_FILE_OPEN},
        {QKeySequence(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE},
        {QKeySequence(Qt::CTRL | Qt::Key_P), ID_FILE_PRINT},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), ID_EDIT_UNDO},
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), ID_EDIT_UNDO},
        {QKeySequence(Qt::CTRL | Qt::Key_X), ID_EDIT_CUT},
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), ID_EDIT_CUT},
        {QKeySequence(Qt::CTRL | Qt::Key_C), ID_EDIT_COPY},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), ID_EDIT_COPY},
        {QKeySequence(Qt::CTRL | Qt::Key_V), ID_EDIT_PASTE},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), ID_EDIT_PASTE},
        {QKeySequence(Qt::CTRL | Qt::Key_A), ID_EDIT_SELECT_ALL},
        {QKeySequence(Qt::CTRL | Qt::Key_F), ID_EDIT_FIND},
        {QKeySequence(Qt::Key_F3), ID_EDIT_REPEAT},
        {QKeySequence(Qt::CTRL | Qt::Key_H), ID_EDIT_REPLACE},
        {QKeySequence(Qt::ALT | Qt::Key_Return), ID_OLE_EDIT_PROPERTIES},
        {QKeySequence(Qt::Key_F6), ID_NEXT_PANE},
        {QKeySequence(Qt::SHIFT | Qt::Key_F6), ID_PREV_PANE},
        {QKeySequence(Qt::Key_Escape), ID_CANCEL_EDIT},
        {QKeySequence(Qt::ALT | Qt::Key_A), ID_APP_ABOUT},
        {QKeySequence(Qt::ALT | Qt::Key_W), ID_HEBREW_HELP},
        {QKeySequence(Qt::ALT | Qt::Key_L), ID_SET_LINE_LENGTH},
        {QKeySequence(Qt::ALT | Qt::Key_S), ID_CAPACITY_FIRST},
        {QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_C), ID_COPY_TO_HTML},
        {QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_P), ID_PASTE_FROM_HTML},
        {QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_N), ID_NONSTYLED_TEXT},
        {QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_D), ID_CLEAR_CLIPBOARD},
        {QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_T), ID_ERASE_SCREEN},
    };
    return table;
}

bool IsAcceleratorKey(QKeyCombination key) {
    // The keypad's Enter is Alt+Enter's twin; modifiers such as the keypad flag do not count.
    const QKeyCombination plain(key.keyboardModifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                                           Qt::AltModifier | Qt::MetaModifier),
                                key.key());
    for (const Accelerator& acc : MainAccelerators()) {
        if (acc.key[0] == plain) return true;
    }
    return false;
}

}  // namespace velmora
