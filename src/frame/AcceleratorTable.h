#pragma once
// The main window's accelerator table: which keys reach which command, whatever has the focus.

#include <QKeySequence>

#include <vector>

namespace velmora {

struct Accelerator {
    QKeySequence key;
    int nId;
};

const std::vector<Accelerator>& MainAccelerators();

// True when key (with its modifiers) is one of the table's keys; the view leaves such keys to
// the table instead of acting on them itself.
bool IsAcceleratorKey(QKeyCombination key);

}  // namespace velmora
