// host-check-time: asks the host record, as the conversion commands do, whether the authoring
// tool's window is open, a number of times, and prints the answer and the mean time per check,
// beside the mean time of the X11 look-up alone (the whole check where no Wine runs).
//
//   host-check-time [COUNT]
//
// Exit code 0 when the window was found every time, 1 when it was found none of the times, 2
// when the answers differed. Built beside the velmora program, where the Wine helper is.

#include "TopLevelWindows.h"
#include "app/HostInfo.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* HOST_CLASS = "AfxFrameOrView42";

// Runs check nCount times; returns how often it said yes, and the mean time in milliseconds.
template <typename Check>
int CountYes(int nCount, Check check, double& dMeanMs) {
    int nYes = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < nCount; ++i) {
        nYes += check() ? 1 : 0;
    }
    dMeanMs = static_cast<double>(clock.nsecsElapsed()) / 1e6 / nCount;
    return nYes;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int nCount = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    // The first connection to the display costs more than the others; neither loop pays it.
    velmora::FindTopLevelWindow(HOST_CLASS, nullptr);
    double dCheckMs = 0;
    double dX11Ms = 0;
    const int nFound = CountYes(
        nCount, [] { return g_hostInfo.FindAppWindow(HOST_CLASS); }, dCheckMs);
    CountYes(
        nCount, [] { return velmora::FindTopLevelWindow(HOST_CLASS, nullptr); }, dX11Ms);
    std::printf("found %d of %d, %.2f ms per check (X11 look-up alone %.2f ms)\n", nFound, nCount, dCheckMs, dX11Ms);
    return nFound == nCount ? 0 : nFound == 0 ? 1 : 2;
}
