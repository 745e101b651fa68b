// The framework's WinMain hands its application object, made from the
// program's arguments, to the program's start routine and returns the exit
// code the application's run ends with. This start routine quits with the
// number it was given on the command line when it got the right object, and
// with 1 otherwise; the test expects that number back (ExpectExitCode.cmake).
#include "framework/core/zApplication.h"

#include <cstdlib>

void StartApplication(zApplication* app)
{
    const bool right = app && app == theApplication && app->instance == GetModuleHandleA(nullptr) && app->cmdLine;
    PostQuitMessage(right ? std::atoi(app->cmdLine) : 1);
    if (app)
        app->run();
}
