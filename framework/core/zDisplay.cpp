#include "framework/core/zDisplay.h"

#include <cstring>

namespace {

uint32_t colourRef(const zColor& c) { return c.colorRef(); }

}  // namespace

zDisplay::zDisplay()
{
    pushBrush(new zBrush(WHITE_BRUSH));
    pushPen(new zPen(BLACK_PEN));
    pushFont(zFont::fromStock(DEVICE_DEFAULT_FONT));
    // A fresh display selects no font until one is pushed.
    font_ = nullptr;
}

zDisplay::~zDisplay()
{
    while (brushStack_.count())
        delete brushStack_.pop();
    while (penStack_.count())
        delete penStack_.pop();
    while (fontStack_.count())
        delete fontStack_.pop();
}

void zDisplay::readCaps(HDC dc)
{
    if (!dc)
        return;
    horzRes_ = GetDeviceCaps(dc, HORZRES);
    vertRes_ = GetDeviceCaps(dc, VERTRES);
    logPixelsX_ = GetDeviceCaps(dc, LOGPIXELSX);
    logPixelsY_ = GetDeviceCaps(dc, LOGPIXELSY);
    horzSize_ = GetDeviceCaps(dc, HORZSIZE);
    vertSize_ = GetDeviceCaps(dc, VERTSIZE);
}

void zDisplay::useWindowColours()
{
    backColor_ = zColor::fromColorRef(GetSysColor(COLOR_WINDOW));
    textColor_ = zColor::fromColorRef(GetSysColor(COLOR_WINDOWTEXT));
    delete swapBrush(new zBrush(zColor::fromColorRef(GetSysColor(COLOR_WINDOW))));
}

void zDisplay::acquire()
{
    if (nesting_ == 0) {
        getDC();
        if (hdc_) {
            SetBkColor(hdc_, colourRef(backColor_));
            SetTextColor(hdc_, colourRef(textColor_));
            if (GetBkMode(hdc_) != backMode_)
                SetBkMode(hdc_, backMode_);
            if (brush_)
                SelectObject(hdc_, brush_->handle());
            if (pen_)
                SelectObject(hdc_, pen_->handle());
            SetROP2(hdc_, rop_);
            if (mapMode_)
                SetMapMode(hdc_, mapMode_);
            if (windowOrg_.x || windowOrg_.y)
                SetWindowOrgEx(hdc_, windowOrg_.x, windowOrg_.y, nullptr);
            if (viewportOrg_.x || viewportOrg_.y)
                SetViewportOrgEx(hdc_, viewportOrg_.x, viewportOrg_.y, nullptr);
            if (windowExt_.cx && windowExt_.cy)
                SetWindowExtEx(hdc_, windowExt_.cx, windowExt_.cy, nullptr);
            if (viewportExt_.cx && viewportExt_.cy)
                SetViewportExtEx(hdc_, viewportExt_.cx, viewportExt_.cy, nullptr);
            if (font_)
                SelectObject(hdc_, font_->handle());
        }
    }
    ++nesting_;
}

void zDisplay::release()
{
    --nesting_;
    if (nesting_ == 0 && hdc_) {
        releaseDC();
        hdc_ = nullptr;
    }
}

zColor zDisplay::backColor(const zColor& colour)
{
    zColor old = backColor_;
    backColor_ = colour;
    if (held())
        SetBkColor(hdc_, colourRef(colour));
    return old;
}

zColor zDisplay::textColor(const zColor& colour)
{
    zColor old = textColor_;
    textColor_ = colour;
    if (held())
        SetTextColor(hdc_, colourRef(colour));
    return old;
}

int32_t zDisplay::rasterOp(int32_t rop)
{
    int32_t old = rop_;
    rop_ = static_cast<uint8_t>(rop);
    if (held())
        SetROP2(hdc_, rop_);
    return old;
}

void zDisplay::setBackMode(int32_t mode)
{
    backMode_ = static_cast<uint8_t>(mode);
    if (held())
        SetBkMode(hdc_, mode);
}

void zDisplay::setMapMode(int32_t mode)
{
    mapMode_ = static_cast<uint8_t>(mode);
    if (held() && mode)
        SetMapMode(hdc_, mode);
}

int32_t zDisplay::setWindowOrg(int32_t x, int32_t y)
{
    windowOrg_ = {x, y};
    if (held())
        return SetWindowOrgEx(hdc_, x, y, nullptr);
    return static_cast<int32_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) | (x & 0xFFFF));
}

int32_t zDisplay::setViewportOrg(int32_t x, int32_t y)
{
    viewportOrg_ = {x, y};
    if (held())
        return SetViewportOrgEx(hdc_, x, y, nullptr);
    return static_cast<int32_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) | (x & 0xFFFF));
}

void zDisplay::setWindowExt(int32_t cx, int32_t cy)
{
    windowExt_ = {cx, cy};
    if (held() && cx && cy)
        SetWindowExtEx(hdc_, cx, cy, nullptr);
}

void zDisplay::setViewportExt(int32_t cx, int32_t cy)
{
    viewportExt_ = {cx, cy};
    if (held() && cx && cy)
        SetViewportExtEx(hdc_, cx, cy, nullptr);
}

// ---- stacks ----
// Popping the last object selects the stock default into a held context, so
// the popped object is no longer selected when its caller deletes it, and
// leaves the display with nothing current.

void zDisplay::pushBrush(zBrush* b)
{
    brushStack_.push(b);
    brush_ = b;
    if (held() && b)
        SelectObject(hdc_, b->handle());
}

zBrush* zDisplay::popBrush()
{
    zBrush* old = brushStack_.pop();
    brush_ = brushStack_.top();
    if (held())
        SelectObject(hdc_, brush_ ? brush_->handle() : GetStockObject(WHITE_BRUSH));
    return old;
}

zBrush* zDisplay::swapBrush(zBrush* b)
{
    zBrush* old = brushStack_.pop();
    pushBrush(b);
    return old;
}

void zDisplay::pushPen(zPen* p)
{
    penStack_.push(p);
    pen_ = p;
    if (held() && p)
        SelectObject(hdc_, p->handle());
}

zPen* zDisplay::popPen()
{
    zPen* old = penStack_.pop();
    pen_ = penStack_.top();
    if (held())
        SelectObject(hdc_, pen_ ? pen_->handle() : GetStockObject(BLACK_PEN));
    return old;
}

zPen* zDisplay::swapPen(zPen* p)
{
    zPen* old = penStack_.pop();
    pushPen(p);
    return old;
}

void zDisplay::pushFont(zFont* f)
{
    fontStack_.push(f);
    font_ = f;
    if (held() && f)
        SelectObject(hdc_, f->handle());
}

zFont* zDisplay::popFont()
{
    zFont* old = fontStack_.pop();
    font_ = fontStack_.top();
    if (held())
        SelectObject(hdc_, font_ ? font_->handle() : GetStockObject(SYSTEM_FONT));
    return old;
}

zFont* zDisplay::swapFont(zFont* f)
{
    zFont* old = fontStack_.pop();
    pushFont(f);
    return old;
}

// ---- drawing ----

SIZE zDisplay::textExtent(const char* text, int32_t length)
{
    SIZE size{0, 0};
    if (!hdc_ || !text)
        return size;
    if (length == 0)
        length = static_cast<int32_t>(std::strlen(text));
    GetTextExtentPoint32A(hdc_, text, length, &size);
    return size;
}

void zDisplay::textMetrics(TEXTMETRICA& metrics)
{
    acquire();
    if (hdc_)
        GetTextMetricsA(hdc_, &metrics);
    release();
}

void zDisplay::frameRect(const zRect& r)
{
    if (!hdc_)
        return;
    POINT pts[5] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}, {r.left, r.top}};
    Polyline(hdc_, pts, 5);
}

int32_t zDisplay::drawBitmap(const zBitmap* bitmap, int32_t x, int32_t y, uint32_t rop)
{
    if (!hdc_)
        return 0;
    if (!bitmap || !bitmap->handle())
        return 1;
    HDC mem = CreateCompatibleDC(hdc_);
    if (!mem)
        return 1;
    HGDIOBJ old = SelectObject(mem, bitmap->handle());
    SetMapMode(mem, GetMapMode(hdc_));
    BITMAP bm{};
    GetObjectA(bitmap->handle(), sizeof bm, &bm);
    POINT size{bm.bmWidth, bm.bmHeight};
    DPtoLP(hdc_, &size, 1);
    POINT org{0, 0};
    DPtoLP(mem, &org, 1);
    BitBlt(hdc_, x, y, size.x, size.y, mem, org.x, org.y, rop);
    SelectObject(mem, old);
    DeleteDC(mem);
    return 1;
}
