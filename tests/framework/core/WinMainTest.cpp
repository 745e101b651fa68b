// The framework's WinMain hands its application object to the program's
// start routine and returns the object's exit code. This program's start
// routine checks what it was given and quits with 0 when all is well.
#include "framework/core/zApplication.h"
#include "framework/core/zTaskDev.h"
#include "framework/core/ziWindowMap.h"

void StartApplication(zApplication* app)
{
    int faults = 0;
    if (app != zApp || !app)
        ++faults;
    else {
        if (app->instance != GetModuleHandleA(nullptr))
            ++faults;
        if (!app->windowMap || app->windowMap->bucketCount() != 97)
            ++faults;
        if (!app->taskDev || !app->taskDev->enabled())
            ++faults;
        if (app->mainFrame || app->fontWeight() != 400)
            ++faults;
    }
    PostQuitMessage(faults ? 40 + faults : 0);
    if (app)
        app->run();
}
