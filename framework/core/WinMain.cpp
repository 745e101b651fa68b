// The program's entry point: one application object for the whole run.
#include "framework/core/zApplication.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd)
{
    zApp = new zApplication(instance, prevInstance, cmdLine, showCmd);
    StartApplication(zApp);
    const int code = zApp->exitCode;
    delete zApp;
    zApp = nullptr;
    return code;
}
