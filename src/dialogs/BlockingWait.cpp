#include "dialogs/BlockingWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace velmora {
namespace {

std::function<void(int)>& InstalledWait() {
    static std::function<void(int)> s_fnWait;
    return s_fnWait;
}

}  // namespace

void BlockingWait(int nMilliseconds) {
    if (InstalledWait()) {
        InstalledWait()(nMilliseconds);
        return;
    }
    if (nMilliseconds > 0) QThread::msleep(static_cast<unsigned long>(nMilliseconds));
}

std::function<void(int)> SetBlockingWait(std::function<void(int)> fnWait) {
    return std::exchange(InstalledWait(), std::move(fnWait));
}

void FlushPaintEvents() {
    // Input is excluded so that no command can start inside the running one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
}

void PaintNow(QWidget& window) {
    if (!window.isVisible()) return;
    // A window just shown is mapped asynchronously; until the server reports it exposed,
    // a repaint would go nowhere.
    QElapsedTimer timer;
    timer.start();
    FlushPaintEvents();
    while (window.windowHandle() && !window.windowHandle()->isExposed() && timer.elapsed() < 300) {
        QThread::msleep(2);
        FlushPaintEvents();
    }
    window.repaint();
    FlushPaintEvents();
}

}  // namespace velmora
