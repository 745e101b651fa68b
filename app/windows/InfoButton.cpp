#include "app/windows/InfoButton.h"

#include "app/windows/FlybyHelp.h"
#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"
#include "framework/core/zBitmap.h"
#include "framework/core/zTimer.h"

namespace {

// One bubble in the whole program, whichever button shows it.
FlybyHelp* gBubble = nullptr;
int32_t gBubbleOwner = -1;
int32_t gHintMode = 0;
zTimer* gBubbleWatch = nullptr;

void deleteBubble()
{
    delete gBubbleWatch;
    gBubbleWatch = nullptr;
    delete gBubble;
    gBubble = nullptr;
}

}  // namespace

FlybyHelp* InfoButton::bubble() { return gBubble; }
int32_t InfoButton::bubbleOwner() { return gBubbleOwner; }
int32_t InfoButton::hintMode() { return gHintMode; }

InfoButton::InfoButton(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id,
                       zBitmap* face, const char* hint)
    : zBitmapButton(parent, sizer, style, title, id, face), commandId_(id), hint_(hint), face_(face)
{
}

InfoButton::~InfoButton()
{
    delete hoverTimer_;
    hoverTimer_ = nullptr;
    cancelHints();
}

void InfoButton::cancelHints()
{
    delete delayTimer_;
    delayTimer_ = nullptr;
    deleteBubble();
    gBubbleOwner = -1;
    gHintMode = 0;
}

bool InfoButton::pointerInside() const
{
    if (!hwnd_)
        return false;
    POINT p{};
    GetCursorPos(&p);
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return p.x >= r.left + 1 && p.x <= r.right - 1 && p.y >= r.top && p.y <= r.bottom;
}

void InfoButton::drawFrame(int32_t colourIndex, bool back)
{
    if (!hwnd_)
        return;
    const SIZE size = face_ ? face_->size() : SIZE{0, 0};
    const int32_t w = size.cx / 6 - 1, h = size.cy - 1;
    if (w <= 0 || h <= 0)
        return;
    HDC dc = GetDC(hwnd_);
    if (!dc)
        return;
    {
        const TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 0, GetSysColor(colourIndex)));
        TSelectedObject usePen(dc, pen);
        const POINT there[5] = {{w, 1}, {1, 1}, {1, h}, {w, h}, {w, 1}};
        const POINT backAgain[5] = {{1, 1}, {w, 1}, {w, h}, {1, h}, {1, 1}};
        Polyline(dc, back ? backAgain : there, 5);
    }
    ReleaseDC(hwnd_, dc);
}

int InfoButton::mouseMove(zEvent* ev)
{
    if (ev->wParam & MK_LBUTTON) {
        if (gHintMode)
            cancelHints();
        return zBitmapButton::mouseMove(ev);
    }
    zBitmapButton::mouseMove(ev);
    if (!hovered_) {
        if (gBubble)
            cancelHints();
        hovered_ = 1;
        drawFrame(COLOR_HIGHLIGHT, false);
        if (!hoverTimer_)
            hoverTimer_ = new zTimer(this, zTask(&InfoButton::hoverWatch), 1);
    }
    if (!delayTimer_ && !gBubble) {
        delayTimer_ = new zTimer(this, zTask(&InfoButton::delayFired), DelayMs);
        gHintMode = 1;
        return 1;
    }
    if (gBubble && gBubbleOwner != commandId_) {
        deleteBubble();
        delete delayTimer_;
        delayTimer_ = new zTimer(this, zTask(&InfoButton::delayFired), NextDelayMs);
    }
    return 1;
}

int InfoButton::mouseButtonDown(zEvent* ev)
{
    if (ev->message == WM_LBUTTONDOWN || ev->message == WM_LBUTTONDBLCLK)
        cancelHints();
    delete hoverTimer_;
    hoverTimer_ = nullptr;
    hovered_ = 0;
    return zBitmapButton::mouseButtonDown(ev);
}

int InfoButton::delayFired()
{
    delete delayTimer_;
    delayTimer_ = nullptr;
    if (!gBubble && hint_ && pointerInside()) {
        gBubble = new FlybyHelp(hint_);
        gBubbleOwner = commandId_;
        gBubbleWatch = new zTimer(this, zTask(&InfoButton::bubbleWatch), 10);
    } else {
        gHintMode = 0;
    }
    return 1;
}

int InfoButton::bubbleWatch()
{
    if (!pointerInside())
        cancelHints();
    return 1;
}

int InfoButton::hoverWatch()
{
    if (pointerInside())
        return 1;
    delete hoverTimer_;
    hoverTimer_ = nullptr;
    drawFrame(COLOR_BTNFACE, true);
    hovered_ = 0;
    return 1;
}
