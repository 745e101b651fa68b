#pragma once
// The application object: the single root of the window framework, with the
// one message loop of the user-interface thread.
#include <windows.h>

#include <cstdint>

#include "framework/core/zMail.h"
#include "framework/core/zSlist.h"

class zFrameWin;
class zTaskDev;
class zTimerDev;
class ziWindowMap;
class zResId;

class zApplication {
public:
    zApplication(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd);
    virtual ~zApplication();
    zApplication(const zApplication&) = delete;
    zApplication& operator=(const zApplication&) = delete;

    // The message loop; may run nested. Answers the last GetMessageA result.
    int run();
    // Ends the innermost running loop.
    void quit();

    // -1 stores 400 (FW_NORMAL).
    void setFontWeight(int32_t weight) { fontWeight_ = weight == -1 ? 400 : weight; }
    int32_t fontWeight() const { return fontWeight_; }

    // Loads the accelerator table; 1 on success.
    int loadAccel(const zResId& id);

    // Records a window class the framework registered, so that destruction
    // unregisters it.
    void recordClass(const char* name);

    int32_t showCmd;
    LPSTR cmdLine;
    zFrameWin* mainFrame = nullptr;
    zTaskDev* taskDev = nullptr;
    zTimerDev* timerDev = nullptr;
    ziWindowMap* windowMap = nullptr;
    HMODULE resLibModule = nullptr;
    HINSTANCE instance;
    HINSTANCE prevInstance;
    RcCStringSlist* classNames = nullptr;
    HACCEL accelTable = nullptr;
    const char* resLibName = nullptr;
    int32_t exitCode = 0;
    int32_t modalFlag = 0;
    zMail mail;

private:
    int32_t fontWeight_ = 400;
};

// The process-wide application object.
extern zApplication* theApplication;
// The MDI client window (0 until an MDI application frame creates it).
extern HWND zMDIClientWindow;
// The current modeless dialog (0 when none).
extern HWND zModelessDialog;
// The screen's logical pixels per inch.
extern int32_t zScreenPixelsX;
extern int32_t zScreenPixelsY;

// The program's start routine, called by the framework's WinMain.
void StartApplication(zApplication* app);
