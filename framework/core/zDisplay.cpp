#include "framework/core/zDisplay.h"

#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"

#include <cstring>

namespace {

uint32_t colourRef(const zColor& c) { return c.colorRef(); }

struct ScreenCaps {
    bool valid = false;
    int32_t horzRes = 0, vertRes = 0, logPixelsX = 0, logPixelsY = 0, horzSize = 0, vertSize = 0;
};
ScreenCaps gScreenCaps;

}  // namespace

zDisplay::zDisplay()
{
    pushBrush(new zBrush(WHITE_BRUSH));
    pushPen(new zPen(BLACK_PEN));
    pushFont(zFont::fromStock(DEVICE_DEFAULT_FONT));
    // A fresh display selects no font until one is pushed.
    fonts_.clearCurrent();
}

zDisplay::~zDisplay() = default;

HDC zDisplay::screenDC()
{
    static const HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    return screen;
}

void zDisplay::screenChanged() { gScreenCaps.valid = false; }

void zDisplay::readScreenCaps()
{
    ScreenCaps& c = gScreenCaps;
    if (!c.valid) {
        HDC dc = screenDC();
        if (!dc)
            return;
        c = {true,
             GetDeviceCaps(dc, HORZRES),
             GetDeviceCaps(dc, VERTRES),
             GetDeviceCaps(dc, LOGPIXELSX),
             GetDeviceCaps(dc, LOGPIXELSY),
             GetDeviceCaps(dc, HORZSIZE),
             GetDeviceCaps(dc, VERTSIZE)};
    }
    horzRes_ = c.horzRes;
    vertRes_ = c.vertRes;
    logPixelsX_ = c.logPixelsX;
    logPixelsY_ = c.logPixelsY;
    horzSize_ = c.horzSize;
    vertSize_ = c.vertSize;
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
    swapBrush(new zBrush(zColor::fromColorRef(GetSysColor(COLOR_WINDOW))));
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
            if (zBrush* b = brush())
                SelectObject(hdc_, b->handle());
            if (zPen* p = pen())
                SelectObject(hdc_, p->handle());
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
            if (zFont* f = font())
                SelectObject(hdc_, f->handle());
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

template <class T>
void zDisplay::push(zDrawStack<T>& stack, T* object)
{
    stack.push(object);
    if (held() && object)
        SelectObject(hdc_, object->handle());
}

template <class T>
std::unique_ptr<T> zDisplay::pop(zDrawStack<T>& stack, int stockDefault)
{
    std::unique_ptr<T> old = stack.pop();
    if (held())
        SelectObject(hdc_, stack.current() ? stack.current()->handle() : GetStockObject(stockDefault));
    return old;
}

template <class T>
std::unique_ptr<T> zDisplay::swap(zDrawStack<T>& stack, T* object)
{
    std::unique_ptr<T> old = stack.takeTop();
    push(stack, object);
    return old;
}

template void zDisplay::push(zBrushStack&, zBrush*);
template void zDisplay::push(zPenStack&, zPen*);
template void zDisplay::push(zFontStack&, zFont*);
template std::unique_ptr<zBrush> zDisplay::pop(zBrushStack&, int);
template std::unique_ptr<zPen> zDisplay::pop(zPenStack&, int);
template std::unique_ptr<zFont> zDisplay::pop(zFontStack&, int);
template std::unique_ptr<zBrush> zDisplay::swap(zBrushStack&, zBrush*);
template std::unique_ptr<zPen> zDisplay::swap(zPenStack&, zPen*);
template std::unique_ptr<zFont> zDisplay::swap(zFontStack&, zFont*);

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
    const TGdiHandle<HDC> mem(CreateCompatibleDC(hdc_));
    if (!mem)
        return 1;
    TSelectedObject useBitmap(mem, bitmap->handle());
    SetMapMode(mem, GetMapMode(hdc_));
    BITMAP bm{};
    GetObjectA(bitmap->handle(), sizeof bm, &bm);
    POINT size{bm.bmWidth, bm.bmHeight};
    DPtoLP(hdc_, &size, 1);
    POINT org{0, 0};
    DPtoLP(mem, &org, 1);
    BitBlt(hdc_, x, y, size.x, size.y, mem, org.x, org.y, rop);
    return 1;
}
