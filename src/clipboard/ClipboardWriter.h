#pragma once
// The one way the program's results leave it: the system clipboard, as plain text. Every write
// replaces whatever the clipboard held, in every format. The text crosses into the clipboard's
// own encoding (UTF-8 on X11) whole: no character is lost or replaced on the way.

#include <QString>

class QWidget;

namespace velmora {

// Puts strText on the clipboard. Returns true when the clipboard holds it; otherwise the user has
// been told why ("Can not open the Clipboard" when there is no clipboard to write to) and false
// is returned.
bool PutTextOnClipboard(QWidget* pParent, const QString& strText);

// Empties the clipboard, every format, and shows the CLIPBOARD IS EMPTY! notice over pView,
// also when it was empty already. Reports "Can not open  Clipboard" when there is none.
void ClearClipboard(QWidget* pView);

// The plain text on the clipboard. bOpened is false when there is no clipboard to read;
// bHasText is false when it holds no text at all.
QString ReadClipboardText(bool& bHasText, bool& bOpened);

}  // namespace velmora
