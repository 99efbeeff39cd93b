// Entry point: the one application object is built before wWinMain runs.
#include "app/VantorApp.h"
#include "fileops/FileJob.h"

static CVantorApp theApp;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (!theApp.InitInstance()) {
        theApp.exitInstance();
        return 0;
    }
    const int exitCode = theApp.run();
    // Jobs that would not stop still run: the process ends here, before anything they use (the job
    // registry, OLE, the application object) is torn down under them.
    if (FileJob::liveCount() > 0) TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
    theApp.exitInstance();
    return exitCode;
}
