// The program's start: one running copy, the paths and settings, the main
// frame, the choice and loading of the event, the class choice, the message
// loop and the teardown.
#include <windows.h>

#include <memory>

#include "app/core/EntryCheck.h"
#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/Meldefehler.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/core/Win32Platform.h"
#include "app/forms/PrintManager.h"
#include "app/forms/Protokoll.h"
#include "app/windows/AttachVclApplication.h"
#include "app/windows/DlgSelVeranst.h"
#include "app/windows/ProgramSeams.h"
#include "app/windows/QuanteloApp.h"
#include "classlib/Application.h"
#include "framework/controls3d/zControls3dTypes.h"
#include "framework/core/zApplication.h"
#include "framework/core/zControlType.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zResId.h"
#include "framework/core/zSizer.h"
#include "framework/tables/zTableControlTypes.h"

namespace {

constexpr const char* kMutexName = "VA_ZER5";
constexpr const char* kFrameClass = "VUZ50MDIframeCL";

// Brings the running copy's window forward.
void RaiseRunningCopy()
{
    HWND other = FindWindowA(kFrameClass, nullptr);
    if (!other)
        return;
    if (IsIconic(other))
        ShowWindow(other, SW_SHOWMAXIMIZED);
    SetForegroundWindow(other);
    HWND popup = GetLastActivePopup(other);
    if (popup && popup != other)
        BringWindowToTop(popup);
}

// Steps 12 and 13: the event list, the chooser when there is more than one
// event, and loading the chosen one. False when start-up cannot go on;
// *cancelled tells a chooser closed without a choice.
bool ChooseEvent(QuanteloApp* frame, EventState& state, bool* cancelled)
{
    *cancelled = false;
    if (ListEventFiles(state) <= 0)
        return false;
    int32_t chosen = 0;
    if (state.eventList.size() > 1) {
        auto* dialog = new DlgSelVeranst(frame, zResId(8), state);
        dialog->show(SW_SHOW);
        dialog->modal();
        chosen = dialog->result() == 1 ? dialog->selection() : -1;
        delete dialog;
    }
    if (chosen < 0 || chosen >= static_cast<int32_t>(state.eventList.size())) {
        *cancelled = true;
        return false;
    }
    return LoadEventFile(state, state.eventList[static_cast<size_t>(chosen)], chosen) != 0;
}

}  // namespace

void StartApplication(zApplication* app)
{
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        RaiseRunningCopy();
        if (mutex)
            CloseHandle(mutex);
        return;
    }
    // The six 3-D controls first, then the table controls.
    zRegisterControls3dTypes();
    zRegisterTableControlTypes();
    // The program's one event state and print state.
    EventState state;
    PrintState print;
    ResetClassNames(state);
    BuildProgramPaths(state.settings, FindProgramFolder());
    ReadPathSettings(state.settings);
    state.meldefehler = std::make_unique<Meldefehler>();

    zFrameClassOverride::set(kFrameClass);
    auto* frame = new QuanteloApp(nullptr, new zSizer(0, 0, 800, 600), WS_OVERLAPPEDWINDOW,
                                  "Zavrolin Leichathletik 2011.2", state, print);
    // The event loader's title and its message boxes belong to the frame.
    kel::Win32Platform::setMainWindow(frame->handle());
    app->loadAccel(zResId(200));
    frame->show(SW_SHOWMAXIMIZED);
    AttachVclApplication(frame);

    bool cancelled = false;
    bool ok = ChooseEvent(frame, state, &cancelled);
    if (ok) {
        RollBirthYears(state.eventDef.get(), -1);
        // Data files that cannot be created or opened, or that are not the
        // program's, end the start: a store without records would lose
        // every entry made.
        ok = ReloadSettings(state) == 1;
    }
    if (ok) {
        PostMessageA(frame->handle(), WM_COMMAND, 12, 0);
        gProtokoll = new TProtokoll(nullptr, state);
        app->run();
    } else if (!cancelled) {
        ProgramMessageBox(frame->handle(),
                          "Das Zavrolin kann nicht initialisiert werden! Bitte installieren Sie es nochmals!",
                          "Schwerer Fehler!", MB_OK | MB_ICONSTOP);
    }
    kel::Win32Platform::setMainWindow(nullptr);
    delete frame;
    delete gProtokoll;
    gProtokoll = nullptr;
    // The store closes the data files before another copy may start.
    state.memory.reset();
    if (mutex) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
}
