// The program's entry point: one application object for the whole run.
#include "framework/core/zApplication.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd)
{
    theApplication = new zApplication(instance, prevInstance, cmdLine, showCmd);
    StartApplication(theApplication);
    const int code = theApplication->exitCode;
    delete theApplication;
    theApplication = nullptr;
    return code;
}
