#include "Tesslar2App.h"

int main(int argc, char** argv) {
    velmora::CTesslar2App app(argc, argv);
    if (!app.InitInstance(app.arguments())) return 0;
    return app.exec();
}
