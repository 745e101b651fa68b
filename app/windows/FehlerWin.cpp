#include "app/windows/FehlerWin.h"

#include "app/core/EntryTexts.h"
#include "app/core/EventTable.h"
#include "app/core/Meldefehler.h"
#include "app/core/Settings.h"
#include "app/windows/ProgramSeams.h"
#include "app/windows/QuanteloApp.h"
#include "framework/controls3d/zStatusLineEZ.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTextPane.h"

FehlerWin* gFehlerWin = nullptr;

FehlerWin::FehlerWin(zWindow* frame) : zMDIChildFrame(frame, nullptr, WS_OVERLAPPEDWINDOW, "Meldefehler")
{
    deleteOnDestroy();
    create();
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(4));
    if (icon)
        SetClassLongPtrA(handle(), GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
    pane_ = new zTextPane(this, new zGravSizer(zSizerFill, 0, sizer()), WS_VSCROLL | WS_HSCROLL, 200, 100);
    gFehlerWin = this;
}

FehlerWin::~FehlerWin()
{
    if (gFehlerWin == this)
        gFehlerWin = nullptr;
    if (gQuanteloApp && gQuanteloApp->statusLine())
        gQuanteloApp->statusLine()->setItemText(11, "");
}

void FehlerWin::show(int code)
{
    zMDIChildFrame::show(code);
    pane_->show(SW_SHOW);
    RECT rc;
    GetClientRect(handle(), &rc);
    // The children are laid out again; the size kind stays what it is, or
    // the MDI client would take a maximised window for a restored one.
    SendMessageA(handle(), WM_SIZE, IsZoomed(handle()) ? SIZE_MAXIMIZED : SIZE_RESTORED,
                 MAKELPARAM(rc.right, rc.bottom));
}

void FehlerWin::addLine(const char* text)
{
    pane_->writeText(text);
    pane_->writeText("\n");
}

int FehlerWin::mdiActivate(zEvent* ev)
{
    if (gQuanteloApp && gQuanteloApp->statusLine())
        gQuanteloApp->statusLine()->setItemText(11,
                                                reinterpret_cast<HWND>(ev->lParam) == handle() ? "Meldefehler" : "");
    return 0;
}

void ShowCheckResult(int32_t cls, bool errors)
{
    HWND owner = gQuanteloApp ? gQuanteloApp->handle() : nullptr;
    if (!errors) {
        if (gFehlerWin)
            DestroyWindow(gFehlerWin->handle());
        ProgramMessageBox(owner, "Es wurde kein Fehler in den Meldedaten gefunden!", "Information",
                          MB_OK | MB_ICONINFORMATION);
        return;
    }
    ProgramMessageBox(owner, "Ich habe einen Fehler in den Meldedaten gefunden!", "Information",
                      MB_OK | MB_ICONINFORMATION);
    if (gSettings.protokoll == 0 || !gQuanteloApp)
        return;
    if (gFehlerWin)
        DestroyWindow(gFehlerWin->handle());
    auto* win = new FehlerWin(gQuanteloApp);
    win->show(SW_SHOWNORMAL);
    const int32_t first = cls < 0 ? 0 : cls;
    const int32_t last = cls < 0 ? (gEventDef ? int32_t(gEventDef->classCount) : 0) : cls + 1;
    for (int32_t c = first; c < last; ++c) {
        const int32_t n = gMeldefehler->countFlagged(c);
        for (int32_t i = 0; i < n; ++i)
            win->addLine(FormatEntryError(i, c).c_str());
    }
}
