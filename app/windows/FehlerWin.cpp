#include "app/windows/FehlerWin.h"

#include "app/core/EntryTexts.h"
#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/Meldefehler.h"
#include "app/core/Settings.h"
#include "app/windows/ProgramSeams.h"
#include "app/windows/QuanteloApp.h"
#include "framework/controls3d/zStatusLineEZ.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTextPane.h"

#include <algorithm>

FehlerWin* gFehlerWin = nullptr;

namespace {

// The error list: a text pane whose scroll bars show only while its lines
// do not fit, and then scroll just as far as the lines reach.
class ErrorTextPane : public zTextPane {
public:
    ErrorTextPane(zWindow* parent, zSizer* sizer) : zTextPane(parent, sizer, WS_VSCROLL | WS_HSCROLL, 200, 100)
    {
        vertScroll() = new zScrollInfoVert(this);
        horzScroll() = new zScrollInfoHoriz(this);
    }
    int size(zEvent* ev) override
    {
        const int r = zTextPane::size(ev);
        fitScrollBars();
        return r;
    }
    void writeText(const char* text) override
    {
        zTextPane::writeText(text);
        fitScrollBars();
    }

private:
    void fitScrollBars()
    {
        if (!handle() || !vertScroll() || !horzScroll())
            return;
        // The room without scroll bars, and what the written lines need.
        RECT client{};
        GetClientRect(handle(), &client);
        const LONG style = GetWindowLongA(handle(), GWL_STYLE);
        const int32_t barWidth = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYHSCROLL);
        const int32_t width = client.right + ((style & WS_VSCROLL) ? barWidth : 0);
        const int32_t height = client.bottom + ((style & WS_HSCROLL) ? barHeight : 0);
        const int32_t rows = std::min(buffer().rows(), cursorRow() + (cursorColumn() > 0 ? 1 : 0));
        int32_t columns = 0;
        for (int32_t r = 0; r < rows; ++r)
            columns = std::max(columns, buffer().length(r));
        const int32_t needWidth = (columns + 1) * charWidth(), needHeight = (rows + 1) * charHeight();
        // A bar takes room from the other direction.
        bool vertical = needHeight > height, horizontal = needWidth > width;
        vertical = needHeight > height - (horizontal ? barHeight : 0);
        horizontal = needWidth > width - (vertical ? barWidth : 0);
        const int32_t shownWidth = width - (vertical ? barWidth : 0);
        const int32_t shownHeight = height - (horizontal ? barHeight : 0);
        fit(vertScroll(), vertical ? needHeight - shownHeight : 0, shownHeight, charHeight());
        fit(horzScroll(), horizontal ? needWidth - shownWidth : 0, shownWidth, charWidth());
    }
    // An empty range hides the bar.
    static void fit(zScrollInfo* info, int32_t range, int32_t page, int32_t line)
    {
        if (info->max() != range || info->min() != 0)
            info->setRange(0, range);
        info->setPage(std::max(1, page));
        info->setLine(std::max(1, line));
    }
};

}  // namespace

FehlerWin::FehlerWin(zWindow* frame) : zMDIChildFrame(frame, nullptr, WS_OVERLAPPEDWINDOW, "Meldefehler")
{
    deleteOnDestroy();
    create();
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(4));
    if (icon)
        SetClassLongPtrA(handle(), GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
    pane_ = new ErrorTextPane(this, new zGravSizer(zSizerFill, 0, sizer()));
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

void ShowCheckResult(const EventState& state, int32_t cls, bool errors)
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
    if (state.settings.protokoll == 0 || !gQuanteloApp)
        return;
    if (gFehlerWin)
        DestroyWindow(gFehlerWin->handle());
    auto* win = new FehlerWin(gQuanteloApp);
    win->show(SW_SHOWNORMAL);
    const int32_t first = cls < 0 ? 0 : cls;
    const int32_t last = cls < 0 ? (state.eventDef ? int32_t(state.eventDef->classCount) : 0) : cls + 1;
    for (int32_t c = first; c < last; ++c) {
        const int32_t n = state.meldefehler->countFlagged(c);
        for (int32_t i = 0; i < n; ++i)
            win->addLine(FormatEntryError(state, i, c).c_str());
    }
}
