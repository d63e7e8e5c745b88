#include "EndRequest.h"

#include <QObject>
#include <QSocketNotifier>

#include <array>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace velmora {

namespace {

constexpr std::array kEndSignals{SIGTERM, SIGHUP, SIGINT};

// The handler only writes a byte here; the event loop reads it and does the work.
int g_endPipe[2] = {-1, -1};

extern "C" void NoteEndRequest(int) {
    for (const int nSignal : kEndSignals) std::signal(nSignal, SIG_DFL);
    const char ch = 1;
    [[maybe_unused]] const ssize_t nWritten = ::write(g_endPipe[1], &ch, 1);
}

}  // namespace

void OnEndRequest(QObject* pContext, std::function<void()> fnEnd) {
    if (g_endPipe[0] < 0 && ::pipe2(g_endPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* pNotifier = new QSocketNotifier(g_endPipe[0], QSocketNotifier::Read, pContext);
    QObject::connect(pNotifier, &QSocketNotifier::activated, pContext, [pNotifier, fnEnd = std::move(fnEnd)] {
        char ch;
        while (::read(g_endPipe[0], &ch, 1) > 0) {
        }
        pNotifier->setEnabled(false);
        fnEnd();
    });
    struct sigaction action = {};
    action.sa_handler = NoteEndRequest;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int nSignal : kEndSignals) {
        // A program started with a signal ignored (nohup) keeps it ignored.
        struct sigaction old = {};
        if (::sigaction(nSignal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        ::sigaction(nSignal, &action, nullptr);
    }
}

}  // namespace velmora
