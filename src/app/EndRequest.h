#pragma once
// The requests to end that reach a desktop program as signals: SIGTERM when the session ends or
// the system shuts down, SIGHUP when its terminal closes, SIGINT for Ctrl+C there. By default
// each kills the program on the spot, with its unsaved changes.

#include <functional>

class QObject;

namespace velmora {

// Calls fnEnd on pContext's thread, from its event loop, when one of those signals comes. Only
// the first is caught: a second request ends the program at once, as the user meant.
void OnEndRequest(QObject* pContext, std::function<void()> fnEnd);

}  // namespace velmora
