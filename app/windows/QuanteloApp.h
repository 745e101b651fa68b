#pragma once
// The program's MDI main frame: menu 200, the tool bar on top, the status
// line at the bottom, and the handler of the program's commands. It owns the
// entry windows: one for each competition class at the most.
#include <functional>

#include "app/windows/CommandHost.h"
#include "framework/core/zMDIAppFrame.h"

class AppToolbar;
struct EventState;
struct PrintState;
class MeldeWin;
class zMDIMarginFrame;
class zStatusLineEZ;

class QuanteloApp : public zMDIAppFrame, public CommandHost {
public:
    static constexpr int32_t HelpContext = 114;
    // The frame works on the program's event and print state, which outlive it.
    QuanteloApp(zWindow* parent, zSizer* sizer, DWORD style, const char* title, EventState& state,
                PrintState& print);
    ~QuanteloApp() override;
    int command(zEvent* ev) override;
    int close(zEvent* ev) override;
    int sizeSizer(zEvent* ev) override;
    // Shows the frame; the first time, it then makes the hidden result window.
    void show(int code) override;
    // The frame's class, with the program's icon.
    WNDCLASSA windowClass() override;
    int showHelp(int32_t context);
    zStatusLineEZ* statusLine() const { return status_; }
    AppToolbar* toolbar() const { return toolbar_; }
    HWND owner() const override { return handle(); }
    int runWithHint(const char* hint, const std::function<int()>& run) override;
    // Registers the idle print task once; 1.
    int startPrintQueue();
    // The idle print task: hands the last queued job to the print pane
    // when printing is on and the pane is free; 1 (done) once the queue is
    // empty.
    int printQueueStep();
    void closeEntryWindows() override;
    void openEntryWindow(int32_t cls) override;
    // The open entry window of class `cls`, or null.
    MeldeWin* entryWindow(int32_t cls) const;
    // Called by an entry window as it goes: the frame no longer holds it.
    void forgetEntryWindow(const MeldeWin* window);

private:
    EventState& state_;
    PrintState& print_;
    zMDIMarginFrame* top_ = nullptr;
    zMDIMarginFrame* bottom_ = nullptr;
    HWND helpWindow_ = nullptr;
    AppToolbar* toolbar_ = nullptr;
    zStatusLineEZ* status_ = nullptr;
    int32_t taskActive_ = 0;
    int32_t resultWindowMade_ = 0;
    MeldeWin* entryWindows_[12] = {};
};

// The main frame (null outside its life).
extern QuanteloApp* gQuanteloApp;
