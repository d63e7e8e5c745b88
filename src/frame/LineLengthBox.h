#pragma once
// The rules of the toolbar's line-length box: an unsorted list of decimal line lengths whose item
// 0 is 256 and is never removed, later items from the oldest to the newest remembered length, at
// most the capacity (2..10) items in all, the selected item being the current line length.

#include <QString>

class QComboBox;

namespace velmora {

// The integer text starts with, read as the C library's atoi does (blanks, a sign, digits; 0
// when there is none).
int LeadingInteger(const QString& text);

// Remembers nLength in box after the line-length dialog: selects the first item that reads
// nLength; else appends it, first dropping the oldest remembered item (item 1, or item 0 when it
// does not read 256) when box already holds nCapacity items.
void RememberLineLength(QComboBox& box, int nLength, int nCapacity);

// Shrinks box to a lower capacity nNewCapacity: drops the oldest remembered items until
// nNewCapacity remain and selects the newest. Nothing happens when nNewCapacity is not lower
// than nOldCapacity or the box already fits.
void ShrinkToCapacity(QComboBox& box, int nNewCapacity, int nOldCapacity);

// The line length the box's selected item reads; false when no item is selected.
bool SelectedLineLength(const QComboBox& box, int& nLength);

}  // namespace velmora
