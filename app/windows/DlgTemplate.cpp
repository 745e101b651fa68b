#include "app/windows/DlgTemplate.h"

#include <algorithm>

#include "app/core/Settings.h"
#include "app/windows/ProgramSeams.h"
#include "app/windows/QuanteloApp.h"

DlgTemplate::DlgTemplate(zWindow* parent, const zResId& id, const Settings& settings)
    : zFormDialog(parent, id), settings_(settings)
{
    setClassIcon(nullptr);
    center();
}

void DlgTemplate::center()
{
    RECT rc;
    if (!handle() || !GetWindowRect(handle(), &rc))
        return;
    const int32_t w = rc.right - rc.left, h = rc.bottom - rc.top;
    const int32_t x = std::max<int32_t>(0, (GetSystemMetrics(SM_CXSCREEN) - w) / 2);
    const int32_t y = std::max<int32_t>(0, (GetSystemMetrics(SM_CYSCREEN) - h) / 2);
    moveWindow(x, y, w, h);
}

int DlgTemplate::command(zEvent* ev)
{
    if (ev->loWordW() != HelpCommand)
        return zFormDialog::command(ev);
    // Dialog help goes to the same help file as the frame's, through HTML Help.
    if (helpContext_ != 0) {
        HWND owner = gQuanteloApp ? gQuanteloApp->handle() : handle();
        gSeams.htmlHelp(owner, settings_.helpFile.c_str(), 15 /* HH_HELP_CONTEXT */,
                        static_cast<DWORD_PTR>(helpContext_));
    } else {
        ProgramMessageBox(handle(), "Für diesen Dialog ist leider noch keine Hilfe vorhanden!", "Information",
                          MB_OK | MB_ICONINFORMATION);
    }
    return 1;
}
