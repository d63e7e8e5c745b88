#pragma once
// The plain waits of the progress and notice windows. A command keeps the interface thread for
// itself, so these waits block the thread outright; the window is painted before each one.
// Tests replace the wait to look at the screen at the moment the wait begins.

#include <functional>

class QWidget;

namespace velmora {

// Blocks the calling thread for nMilliseconds (or calls the installed replacement).
void BlockingWait(int nMilliseconds);

// Installs a replacement for BlockingWait; an empty function restores the plain wait.
// Returns the one installed before.
std::function<void(int)> SetBlockingWait(std::function<void(int)> fnWait);

// Hands the window system what the windows painted (expose and paint requests only; user input
// stays queued), so that a picture reaches the screen before the thread is blocked.
void FlushPaintEvents();

// Paints a shown top-level window onto the screen now: waits (at most 300 ms) until the window
// system has mapped it, then repaints it and flushes. Does nothing for a hidden window.
void PaintNow(QWidget& window);

}  // namespace velmora
