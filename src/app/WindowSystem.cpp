#include "WindowSystem.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstring>

namespace velmora {

namespace {

bool ArgumentsChoosePlatform(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0 ||
            std::strncmp(argv[i], "-platform=", 10) == 0 || std::strncmp(argv[i], "--platform=", 11) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

void PreferX11WindowSystem(int argc, char** argv) {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || ArgumentsChoosePlatform(argc, argv)) return;
    // Qt tries the plugins in turn: with no X server (a Wayland desktop without XWayland) the
    // editor still opens, though no Windows program can run beside it there.
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
}

}  // namespace velmora
