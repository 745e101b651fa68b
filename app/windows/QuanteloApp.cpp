#include "app/windows/QuanteloApp.h"

#include <iterator>

#include "app/core/EventState.h"
#include "app/core/Settings.h"
#include "app/forms/AboutMe.h"
#include "app/forms/PrintManager.h"
#include "app/forms/Protokoll.h"
#include "app/windows/AppToolbar.h"
#include "app/windows/InfoListPane.h"
#include "app/windows/InfoListe.h"
#include "app/windows/MeldeWin.h"
#include "app/windows/ProgramCommands.h"
#include "app/windows/ProgramSeams.h"
#include "classlib/Application.h"
#include "framework/controls3d/zStatusItem.h"
#include "framework/controls3d/zStatusLineEZ.h"
#include "framework/core/zApplication.h"
#include "framework/core/zMDIMarginFrame.h"
#include "framework/core/zMenu.h"
#include "framework/core/zResId.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTaskDev.h"

QuanteloApp* gQuanteloApp = nullptr;

QuanteloApp::QuanteloApp(zWindow* parent, zSizer* sizer, DWORD style, const char* title, EventState& state,
                         PrintState& print)
    : zMDIAppFrame(parent, sizer, style, title, nullptr, 0xFF00), state_(state), print_(print)
{
    gQuanteloApp = this;
    create();
    setMenu(new zMenu(zResId(200)));

    top_ = new zMDIMarginFrame(this, new zGravSizer(zSizerTop, 29, this->sizer()), WS_VISIBLE, nullptr);
    top_->show(SW_SHOW);
    toolbar_ = new AppToolbar(top_, new zGravSizer(zSizerFill, 0, top_->sizer()));
    toolbar_->show(SW_SHOW);
    // Buttons and menu items of one command gray and check together.
    toolbar_->linkMenu();

    bottom_ = new zMDIMarginFrame(this, new zGravSizer(zSizerBottom, 24, this->sizer()), WS_VISIBLE, nullptr);
    bottom_->show(SW_SHOW);
    status_ = new zStatusLineEZ(bottom_, new zGravSizer(zSizerFill, 0, bottom_->sizer()), 0x2000, 0, nullptr);
    new zStatusItemText(status_, zSizerLeft, "Meldefehler---", 11, 0x004);
    new zStatusItemText(status_, zSizerRight, "Kelvora Schulsport-Meldeprogramm --", 10, 0x004);
    status_->show(SW_SHOW);
    status_->showMenuHelp();
    status_->setItemText(11, "");
    status_->setItemText(10, "Kelvora Schulsport-Meldeprogramm");

    print_.startPrintQueue = [] {
        if (gQuanteloApp)
            gQuanteloApp->startPrintQueue();
    };
}

WNDCLASSA QuanteloApp::windowClass()
{
    WNDCLASSA wc = zMDIAppFrame::windowClass();
    // The program's icon is the frame class's from its registration on; set
    // on the class afterwards, the window would take it over a second time.
    if (HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(2)))
        wc.hIcon = icon;
    return wc;
}

void QuanteloApp::show(int code)
{
    zMDIAppFrame::show(code);
    // The hidden result window is no part of the frame's first picture: it
    // is made once the frame has been shown and painted.
    if (!resultWindowMade_) {
        resultWindowMade_ = 1;
        gInfoListe = new InfoListe(this, state_);
    }
}

QuanteloApp::~QuanteloApp()
{
    if (gQuanteloApp == this)
        gQuanteloApp = nullptr;
    gInfoListe = nullptr;
}

namespace {

// The idle task outlives no frame: it reaches the frame of the moment and
// ends when there is none.
struct PrintQueueTask : zEvH {
    int step() { return gQuanteloApp ? gQuanteloApp->printQueueStep() : 1; }
};
PrintQueueTask gPrintQueueTask;

} // namespace

int QuanteloApp::startPrintQueue()
{
    if (taskActive_)
        return 1;
    taskActive_ = 1;
    if (theApplication && theApplication->taskDev)
        theApplication->taskDev->add(&gPrintQueueTask, zTask(&PrintQueueTask::step));
    return 1;
}

int QuanteloApp::printQueueStep()
{
    if (!print_.printing)
        return 0;
    if (print_.printManager.count() == 0) {
        taskActive_ = 0;
        return 1;
    }
    InfoListPane* pane = gInfoListe ? gInfoListe->pane() : nullptr;
    if (!pane || pane->busy())
        return 0;
    // The job leaves the queue as it goes to the pane.
    PrintJob job;
    print_.printManager.takeLast(job);
    pane->setJob(job);
    if (pane->printJob() < 0)
        print_.printManager.clear();  // no printer: nothing else can print either
    return 0;
}

int QuanteloApp::sizeSizer(zEvent* ev)
{
    const int r = zMDIAppFrame::sizeSizer(ev);
    if (toolbar_)
        toolbar_->sizeSizer(ev);
    return r;
}

int QuanteloApp::runWithHint(const char* hint, const std::function<int()>& run)
{
    const std::string saved = status_ ? status_->message().c_str() : "";
    const int32_t wasOn = status_ ? status_->messageAreaOn() : 0;
    if (status_) {
        status_->messageModeOn();
        status_->setMessage(hint);
    }
    const int result = run();
    if (status_) {
        status_->setMessage(saved.c_str());
        if (!wasOn)
            status_->messageModeOff();
    }
    return result;
}

int QuanteloApp::showHelp(int32_t context)
{
    HWND owner = theApplication && theApplication->mainFrame ? theApplication->mainFrame->handle() : handle();
    helpWindow_ = gSeams.htmlHelp(owner, state_.settings.helpFile.c_str(), 15 /* HH_HELP_CONTEXT */,
                                  static_cast<DWORD_PTR>(context));
    return 1;
}

void QuanteloApp::closeEntryWindows()
{
    for (MeldeWin*& w : entryWindows_) {
        if (!w)
            continue;
        MeldeWin* win = w;
        win->activate();
        // The notice that it loses activation: it saves its current team.
        zEvent ev{0, reinterpret_cast<WPARAM>(win->handle()), WM_MDIACTIVATE, win->handle()};
        win->mdiActivate(&ev);
        delete win;
        w = nullptr;
    }
}

void QuanteloApp::openEntryWindow(int32_t cls)
{
    if (cls < 0 || cls >= static_cast<int32_t>(std::size(entryWindows_)))
        return;
    MeldeWin*& w = entryWindows_[cls];
    if (!w) {
        w = new MeldeWin(this, state_, cls);
        w->show(SW_SHOWMAXIMIZED);
    } else {
        w->activate();
        if (IsIconic(w->handle()))
            ShowWindow(w->handle(), SW_SHOWNORMAL);
    }
}

MeldeWin* QuanteloApp::entryWindow(int32_t cls) const
{
    return cls >= 0 && cls < static_cast<int32_t>(std::size(entryWindows_)) ? entryWindows_[cls] : nullptr;
}

void QuanteloApp::forgetEntryWindow(const MeldeWin* window)
{
    for (MeldeWin*& w : entryWindows_)
        if (w == window)
            w = nullptr;
}

int QuanteloApp::command(zEvent* ev)
{
    switch (ev->loWordW()) {
    case 30:
        if (gProtokoll)
            RunModalForm(gProtokoll);
        return 1;
    case 2: {
        TAboutMe about(nullptr, state_.settings);
        runWithHint(kDialogHint, [&] { return RunModalForm(&about); });
        return 1;
    }
    case 104:
    case 3:
    case 5:
        return 1;
    case 22:
        return CreateEntryFileCommand(*this, state_);
    case 23:
        PrintCommand(*this, state_, print_);
        return 1;
    case 4:
        closeEntryWindows();
        theApplication->quit();
        return 1;
    case 12:
        OpenClassCommand(*this, state_);
        return 1;
    case 1:
        return showHelp(HelpContext);
    case 10:
        if (zMDIChildFrame* child = activeChild())
            if (child->command(ev) == 1)
                return 1;
        CheckAllCommand(*this, state_);
        return 1;
    default:
        return 0;
    }
}

int QuanteloApp::close(zEvent*)
{
    closeEntryWindows();
    return 0;
}
