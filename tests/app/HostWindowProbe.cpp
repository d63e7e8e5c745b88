// host-window-probe CLASS [TITLE]: asks, from outside the editor, the same question the editor's
// conversion commands ask (velmora::FindTopLevelWindow). Exits 0 when such a window is open,
// 1 when not, 2 on a usage error.

#include "TopLevelWindows.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: host-window-probe CLASS [TITLE]\n");
        return 2;
    }
    return velmora::FindTopLevelWindow(argv[1], argc == 3 ? argv[2] : nullptr) ? 0 : 1;
}
