#include "framework/core/zApplication.h"
#include "framework/core/zFrameworkControlTypes.h"

#include "framework/core/zFrameWin.h"
#include "framework/core/zResId.h"
#include "framework/core/zTaskDev.h"
#include "framework/core/zTimer.h"
#include "framework/core/ziWindowMap.h"

zApplication* theApplication = nullptr;
HWND zMDIClientWindow = nullptr;
HWND zModelessDialog = nullptr;
int32_t zScreenPixelsX = 96;
int32_t zScreenPixelsY = 96;

// The control subclass procedure's cached brush (zWndProc.cpp).
void zDeleteControlColorBrush();

zApplication::zApplication(HINSTANCE inst, HINSTANCE prev, LPSTR cmd, int show)
    : showCmd(show), cmdLine(cmd), instance(inst), prevInstance(prev)
{
    windowMap = new ziWindowMap(97);
    classNames = new RcCStringSlist;
    zMDIClientWindow = nullptr;
    zModelessDialog = nullptr;
    taskDev = new zTaskDev;

    HWND desktop = GetDesktopWindow();
    if (HDC dc = GetDC(desktop)) {
        zScreenPixelsX = GetDeviceCaps(dc, LOGPIXELSX);
        zScreenPixelsY = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(desktop, dc);
    }
    // The framework's own control types ("zTextPane", "zPaneControl",
    // "zBitmapPane", "zTabCtrl").
    zRegisterFrameworkControlTypes();
    setFontWeight(-1);
}

zApplication::~zApplication()
{
    delete timerDev;
    timerDev = nullptr;
    if (resLibModule)
        FreeLibrary(resLibModule);
    while (classNames->count() > 0) {
        RcCString name = classNames->pop();
        UnregisterClassA(name.c_str(), instance);
    }
    delete classNames;
    zDeleteControlColorBrush();
    delete windowMap;
    delete taskDev;
    if (theApplication == this)
        theApplication = nullptr;
}

void zApplication::recordClass(const char* name)
{
    classNames->append(RcCString(name));
}

int zApplication::run()
{
    MSG msg{};
    int result = 0;
    for (;;) {
        if (taskDev->waiting() <= 0 || !taskDev->enabled()) {
            result = GetMessageA(&msg, nullptr, 0, 0);
            if (result == 0 || result == -1 || msg.message == WM_QUIT)
                break;
        } else {
            if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
                taskDev->run();
                continue;
            }
            result = GetMessageA(&msg, nullptr, 0, 0);
            if (result == 0 || result == -1 || msg.message == WM_QUIT)
                break;
        }
        if (accelTable && mainFrame && mainFrame->handle() && IsWindowEnabled(mainFrame->handle()) &&
            TranslateAcceleratorA(mainFrame->handle(), accelTable, &msg))
            continue;
        if (!modalFlag && zMDIClientWindow && TranslateMDISysAccel(zMDIClientWindow, &msg))
            continue;
        if (zModelessDialog && IsWindow(zModelessDialog) && IsDialogMessageA(zModelessDialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (msg.message == WM_QUIT)
        exitCode = static_cast<int32_t>(msg.wParam);
    return result;
}

void zApplication::quit() { PostQuitMessage(0); }

int zApplication::loadAccel(const zResId& id)
{
    accelTable = id.loadWith([](HINSTANCE m, LPCSTR r) { return LoadAcceleratorsA(m, r); });
    return accelTable ? 1 : 0;
}
