#include "StartBeside.h"
#include "Tesslar2App.h"
#include "WindowSystem.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    // Answered before any window system is needed, so that it works from any shell.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("velmora " VELMORA_VERSION);
        return 0;
    }
    velmora::PreferX11WindowSystem(argc, argv);
    velmora::CTesslar2App app(argc, argv);
    QStringList args = app.arguments();
    if (!velmora::ChooseWorkingFolder(args)) return 0;
    if (!app.InitInstance(args)) return 0;
    return app.exec();
}
