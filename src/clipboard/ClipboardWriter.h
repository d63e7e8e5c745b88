#pragma once
// The one way the program's results leave it: the system clipboard, as plain text. Every write
// replaces whatever the clipboard held, in every format. The text crosses into the clipboard's
// own encoding (UTF-8 on X11) whole: no character is lost or replaced on the way.

#include <QString>

namespace velmora {

// Puts strText on the clipboard. Returns true when the clipboard holds it, false when there is no
// clipboard to write to or another program kept it.
bool PutTextOnClipboard(const QString& strText);

// Empties the clipboard, every format. Returns false when there is no clipboard.
bool ClearClipboard();

// The plain text on the clipboard. bOpened is false when there is no clipboard to read;
// bHasText is false when it holds no text at all.
QString ReadClipboardText(bool& bHasText, bool& bOpened);

}  // namespace velmora
