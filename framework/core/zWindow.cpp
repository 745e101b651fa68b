#include "framework/core/zWindow.h"

#include <cstdio>

#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"
#include "classlib/WindowClass.h"
#include "framework/core/zApplication.h"
#include "framework/core/zCaret.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zSizer.h"
#include "framework/core/ziWindowMap.h"
#include "framework/core/zFont.h"
#include "framework/core/zScrollerBase.h"

zWindow* zWindow::lastFocus = nullptr;

void zWindow::init(zWindow* parent, zSizer* sizer, DWORD style)
{
    setKind(zKindWindow);
    parent_ = parent;
    // Without a sizer the window gets a root sizer of its own; only the
    // (parent) constructor links a new sizer under the parent's.
    sizer_ = sizer ? sizer : new zSizer(nullptr);
    sizer_->setWindow(this);
    setStyle(style);
}

zWindow::zWindow(zSizer* sizer, DWORD style) { init(nullptr, sizer, style); }

zWindow::zWindow(zWindow* parent, zSizer* sizer, DWORD style) { init(parent, sizer, style); }

zWindow::zWindow(zWindow* parent) { init(parent, new zSizer(parent ? parent->sizer() : nullptr), 0); }

zWindow::~zWindow()
{
    clearState(DeleteOnDestroy);
    if (parent_)
        parent_->children_.remove(this);
    {
        zPListIterOf<zWindow> it(children_);
        while (zWindow* child = it.next()) {
            it.remove();
            child->parent_ = nullptr;
            delete child;
        }
    }
    if (!(state_ & Destroyed) && hwnd_ && IsWindow(hwnd_)) {
        setState(Destroyed);
        DestroyWindow(hwnd_);
    }
    if (lastFocus == this)
        lastFocus = nullptr;
    unbind();
    delete caret_;
    delete vScroll_;
    delete hScroll_;
    delete sizer_;
    zDeleteNodes(messageNodes_);
    zDeleteNodes(commandNodes_);
    if (state_ & OwnsFont)
        delete font_;
}

zWindow* zWindow::find(HWND hwnd)
{
    return theApplication && theApplication->windowMap && hwnd ? theApplication->windowMap->find(hwnd) : nullptr;
}

void zWindow::bind(HWND hwnd)
{
    hwnd_ = hwnd;
    if (hwnd && theApplication && theApplication->windowMap)
        theApplication->windowMap->insert(hwnd, this);
}

void zWindow::unbind()
{
    if (hwnd_ && theApplication && theApplication->windowMap && theApplication->windowMap->find(hwnd_) == this)
        theApplication->windowMap->remove(hwnd_);
}

LRESULT zWindow::defWindowProc(zEvent* ev)
{
    return DefWindowProcA(ev->hwnd, ev->message, ev->wParam, ev->lParam);
}

WNDCLASSA zWindow::windowClass()
{
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = zPlainWndProc;
    wc.cbWndExtra = 12;
    wc.hInstance = theApplication ? theApplication->instance : GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hCursor = nullptr;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = className_.c_str();
    return wc;
}

HWND zWindow::createWindow(WNDCLASSA& wc, HWND parentHwnd)
{
    if (classStyle_) {
        wc.style = classStyle_;
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, "%lld", static_cast<long long>(reinterpret_cast<intptr_t>(this)));
        className_.append(suffix);
    }
    wc.lpszClassName = className_.c_str();
    // A class registered already (one shared by many windows, such as
    // "VisualCtrl") stays as it is; one registered here is unregistered
    // at the application's end.
    if (RegisterWindowClassOnce(wc) && theApplication)
        theApplication->recordClass(className_.c_str());
    HWND hwnd = CreateWindowExA(exStyle_, className_.c_str(), nullptr, style_, sizer_->x(), sizer_->y(),
                                sizer_->width(), sizer_->height(), parentHwnd, nullptr, wc.hInstance,
                                nullptr);
    if (hwnd)
        bind(hwnd);
    return hwnd;
}

void zWindow::sizerFromWindowRect()
{
    if (!hwnd_)
        return;
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    int32_t x = rc.left, y = rc.top;
    if (parent_ && parent_->handle() && !(style_ & WS_POPUP)) {
        RECT prc;
        GetWindowRect(parent_->handle(), &prc);
        x -= prc.left;
        y -= prc.top;
    }
    sizer_->setOrigin(x, y);
    sizer_->setExtent(rc.right - rc.left, rc.bottom - rc.top);
}

void zWindow::inheritParentFont()
{
    if (!font_ && parent_ && parent_->font_)
        setFont(parent_->font_, 0);
}

int zWindow::size(zEvent* ev)
{
    const int32_t w = LOWORD(ev->lParam), h = HIWORD(ev->lParam);
    sizer_->setExtent(w, h);
    if (ev->wParam != SIZE_MINIMIZED) {
        zPListIterOf<zWindow> it(children_);
        while (zWindow* child = it.next())
            if (child->sizer_)
                child->sizer_->parentResized(child, ev);
        zRect r = sizer_->rect();
        r.right = r.left + w;
        r.bottom = r.top + h;
        sizer_->setRect(&r);
    }
    return 0;
}

int zWindow::sizeSizer(zEvent* ev)
{
    sizer_->setExtent(LOWORD(ev->lParam), HIWORD(ev->lParam));
    return 0;
}

int zWindow::scroll(zEvent* ev)
{
    zScrollerBase* target = scroller_;
    if (ev->lParam) {
        zWindow* bar = find(reinterpret_cast<HWND>(ev->lParam));
        target = bar ? bar->scroller_ : nullptr;
    }
    return target ? target->dispatch(ev) : 0;
}

COLORREF zWindow::effectiveBackground() const
{
    if (background_ == ParentBackground)
        return parent_ ? parent_->effectiveBackground() : GetSysColor(COLOR_WINDOW);
    return background_;
}

int zWindow::eraseBackground(zEvent* ev)
{
    if (background_ == NoBackground || !hwnd_)
        return 0;
    HDC dc = ev ? reinterpret_cast<HDC>(ev->wParam) : GetDC(hwnd_);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    {
        const TGdiHandle<HBRUSH> brush(CreateSolidBrush(effectiveBackground()));
        TSelectedObject useBrush(dc, brush);
        PatBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, PATCOPY);
    }
    if (!ev)
        ReleaseDC(hwnd_, dc);
    return 1;
}

void zWindow::showState(int code)
{
    if (hwnd_)
        ShowWindow(hwnd_, code);
}

void zWindow::backgroundColor(const zColor& color)
{
    background_ = (color.kind ? 0x02000000u : 0u) | RGB(color.red, color.green, color.blue);
}

void zWindow::show(int code)
{
    if (state_ & WasShown) {
        showState(code);
        return;
    }
    setState(WasShown);
    if (hwnd_) {
        ShowWindow(hwnd_, code);
        UpdateWindow(hwnd_);
    }
    if (code)
        style_ |= WS_VISIBLE;
}

int zWindow::isValid()
{
    zPListIterOf<zWindow> it(children_);
    while (zWindow* child = it.next()) {
        if (!child->isEnabled())
            continue;
        if (!child->isValid()) {
            if (!child->setFocusTo(child) && child->parent_)
                child->parent_->setFocusTo(child);
            return 0;
        }
    }
    return 1;
}

int zWindow::validate()
{
    if (!isValid())
        return 0;
    zPListIterOf<zWindow> it(children_);
    while (zWindow* child = it.next())
        if (child->isEnabled())
            child->validate();
    return 1;
}

int zWindow::setFocusTo(zWindow* target)
{
    if (target == this)
        return 0;
    if (target && target->hwnd_)
        SetFocus(target->hwnd_);
    return 1;
}

void zWindow::setFont(zFont* font, int redraw)
{
    if (font == font_)
        return;
    zFont* previous = (state_ & OwnsFont) ? font_ : nullptr;
    font_ = font;
    if (font && !(parent_ && parent_->font_ == font))
        setState(OwnsFont);
    else
        clearState(OwnsFont);
    if (hwnd_ && font)
        SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font->font()), redraw);
    zPListIterOf<zWindow> it(children_);
    while (zWindow* child = it.next())
        child->setFont(font, redraw);
    delete previous;
}

void zWindow::moveWindow(int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (exStyle_ & (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE)) {
        width += 6;
        height += 6;
    }
    if (hwnd_)
        MoveWindow(hwnd_, x, y, width, height, TRUE);
}

zNotifyNodeDlist*& zWindow::messageNodeList()
{
    if (!messageNodes_)
        messageNodes_ = new zNotifyNodeDlist;
    return messageNodes_;
}

zNotifyNodeDlist*& zWindow::commandNodeList()
{
    if (!commandNodes_)
        commandNodes_ = new zNotifyNodeDlist;
    return commandNodes_;
}

void zWindow::addNotify(zEvH* handler, zEvProc fn, UINT message)
{
    messageNodeList()->append(new zNotifyNode(fn, handler, message, this));
}

void zWindow::removeNotify(zEvH* handler, zEvProc fn)
{
    zRemoveNode(messageNodes_, handler, fn);
}

void zWindow::addCommand(uint32_t id, zEvH* handler, zEvProc fn)
{
    messageNodeList()->append(new zNotifyNode(id, fn, handler, WM_COMMAND));
}

HBRUSH zWindow::ctlColor(zEvent* ev, zWindow* window)
{
    zWindow* child = nullptr;
    {
        zPListIterOf<zWindow> it(children_);
        while (zWindow* c = it.next()) {
            if (c->hwnd_ == reinterpret_cast<HWND>(ev->lParam)) {
                child = c;
                break;
            }
        }
    }
    if (!child)
        return nullptr;
    HDC dc = reinterpret_cast<HDC>(ev->wParam);
    SetTextColor(dc, child->ctlTextColor().colorRef());
    if (child->background_ != NoBackground) {
        SetBkColor(dc, child->effectiveBackground());
        return child->ctlBrush();
    }
    if (child->ctlBrush()) {
        SetBkColor(dc, child->effectiveBackground());
        return nullptr;
    }
    COLORREF bk = GetBkColor(dc);
    child->backgroundColor(zColor::fromColorRef(bk));
    SetBkColor(dc, bk);
    return child->ctlBrush();
}

void zWindow::clientToScreen(RECT& rect, int flag) const
{
    if (!hwnd_)
        return;
    POINT p{rect.left, rect.top};
    ClientToScreen(hwnd_, &p);
    if (flag == 0) {
        POINT q{rect.right, rect.bottom};
        ClientToScreen(hwnd_, &q);
        rect.right = q.x;
        rect.bottom = q.y;
    }
    rect.left = p.x;
    rect.top = p.y;
}

void zWindow::applyStyle()
{
    if (hwnd_)
        SetWindowLongA(hwnd_, GWL_STYLE, static_cast<LONG>(style_));
}

HICON zWindow::setClassIcon(zIcon* icon)
{
    if (!icon)
        return nullptr;
    HICON h = icon->detach();
    delete icon;
    if (!hwnd_ || !h)
        return nullptr;
    SetClassLongPtrA(hwnd_, GCLP_HICON, reinterpret_cast<LONG_PTR>(h));
    return h;
}

zWindow* zWindow::childById(int32_t id)
{
    zPListIterOf<zWindow> it(children_);
    while (zWindow* child = it.next())
        if (child->id_ == id)
            return child;
    return nullptr;
}

bool ziMouseMsg::isButton(UINT message, int button)
{
    switch (button) {
    case 1: return message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_LBUTTONDBLCLK;
    case 2: return message == WM_RBUTTONDOWN || message == WM_RBUTTONUP || message == WM_RBUTTONDBLCLK;
    case 3: return message == WM_MBUTTONDOWN || message == WM_MBUTTONUP || message == WM_MBUTTONDBLCLK;
    default: return false;
    }
}

void zGetScreenCaps(zScreenCaps& caps)
{
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDC(desktop);
    caps.width = GetDeviceCaps(dc, HORZRES);
    if (!caps.width)
        caps.width = 640;
    caps.height = GetDeviceCaps(dc, VERTRES);
    if (!caps.height)
        caps.height = 480;
    caps.pixelsX = GetDeviceCaps(dc, LOGPIXELSX);
    caps.pixelsY = GetDeviceCaps(dc, LOGPIXELSY);
    caps.heightMm = GetDeviceCaps(dc, VERTSIZE);
    caps.widthMm = GetDeviceCaps(dc, HORZSIZE);
    ReleaseDC(desktop, dc);
}
