// Entry point: the one application object is built before wWinMain runs.
#include "app/VantorApp.h"

static CVantorApp theApp;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (!theApp.InitInstance()) {
        theApp.exitInstance();
        return 0;
    }
    const int exitCode = theApp.run();
    theApp.exitInstance();
    return exitCode;
}
