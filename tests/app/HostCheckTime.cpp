// host-check-time: asks the host record, as the conversion commands do, whether the authoring
// tool's window is open, a number of times, and prints the answer and the mean time per check.
//
//   host-check-time [COUNT]
//
// Exit code 0 when the window was found every time, 1 when it was found none of the times, 2
// when the answers differed. Built beside the velmora program, where the Wine helper is.

#include "app/HostInfo.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int nCount = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    int nFound = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < nCount; ++i) {
        nFound += g_hostInfo.FindAppWindow("AfxFrameOrView42") ? 1 : 0;
    }
    std::printf("found %d of %d, %.2f ms per check\n", nFound, nCount,
                static_cast<double>(clock.nsecsElapsed()) / 1e6 / nCount);
    return nFound == nCount ? 0 : nFound == 0 ? 1 : 2;
}
