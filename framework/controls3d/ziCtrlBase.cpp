#include "framework/controls3d/ziCtrlBase.h"

#include <cstring>

#include "classlib/GdiHandle.h"
#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/controls3d/ziShellCompound.h"
#include "framework/controls3d/ziVisButton.h"
#include "framework/controls3d/ziVisText3d.h"

ziCtrlBase::ziCtrlBase(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
    : ziVisualCtrlPane(parent, sizer, style)
{
    setId(id);
    if (title)
        zWindow::setText(title);
    if (handle())
        SetWindowLongA(handle(), GWL_ID, id);
    ctrlId_ = id;
    backgroundColor(zColor::fromColorRef(GetSysColor(COLOR_BTNFACE)));
}

ziCtrlBase::~ziCtrlBase()
{
    ziControlCompound* f = face_;
    face_ = nullptr;
    delete f;
}

void ziCtrlBase::attachVisual(ziCompound* compound, ziControlCompound* face, uint32_t captionStyle)
{
    captionStyle_ = captionStyle;
    face_ = face;
    if (compound)
        compound->add(face);
}

ziVisText3d* ziCtrlBase::caption() const { return face_ ? face_->caption() : nullptr; }

ziVisButton* ziCtrlBase::buttonFace() const
{
    return face_ ? dynamic_cast<ziVisButton*>(face_->face()) : nullptr;
}

void ziCtrlBase::drawFace()
{
    if (!face_ || !display_)
        return;
    ziAcquire hold(display());
    face_->draw(nullptr);
}

void ziCtrlBase::setFont(HFONT font, int redraw)
{
    font_ = font;
    if (ziVisText3d* c = caption())
        c->setFont(font);
    if (redraw)
        drawFace();
}

void ziCtrlBase::setGrayed(int32_t flag)
{
    if (ziVisText3d* c = caption())
        c->setGrayed(flag);
    drawFace();
}

void ziCtrlBase::setStyle(uint32_t style, int redraw)
{
    captionStyle_ = style;
    if (face_) {
        if (auto* f = dynamic_cast<ziVisControl*>(face_->face()))
            f->setStyle(style);
    }
    if (ziVisText3d* c = caption())
        c->setStyle(style);
    if (redraw)
        drawFace();
}

void ziCtrlBase::setText(const char* text)
{
    zWindow::setText(text ? text : "");
    if (ziVisText3d* c = caption()) {
        c->eraseBox();
        c->setText(text);
        drawFace();
    }
}

RcCString ziCtrlBase::text() const { return zWindow::text(); }

int ziCtrlBase::focus(zEvent* ev)
{
    if (ev->message == WM_SETFOCUS && parent() && parent()->handle())
        SendMessageA(parent()->handle(), WM_NEXTDLGCTL, 0, 0);
    return 1;
}

LRESULT ziCtrlBase::defWindowProc(zEvent* ev)
{
    switch (ev->message) {
    case WM_ENABLE:
        setGrayed(ev->wParam == 0);
        return 0;
    case WM_SETREDRAW:
        return 0;
    case WM_SETTEXT:
        setText(reinterpret_cast<const char*>(ev->lParam));
        return 0;
    case WM_GETTEXT: {
        if (ev->wParam == 0 || !ev->lParam)
            return 0;
        const RcCString t = text();
        const size_t n = std::min<size_t>(t.length(), size_t(ev->wParam) - 1);
        char* out = reinterpret_cast<char*>(ev->lParam);
        std::memcpy(out, t.c_str(), n);
        out[n] = 0;
        return LRESULT(n);
    }
    case WM_GETTEXTLENGTH:
        return LRESULT(text().length());
    case WM_SYSCOLORCHANGE:
    case WM_WININICHANGE:
    case WM_GETDLGCODE:
        return 0;
    case WM_SETFONT:
        setFont(reinterpret_cast<HFONT>(ev->wParam), int(ev->lParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(storedFont());
    case BM_SETSTYLE:
        setStyle(uint32_t(ev->wParam), int(ev->lParam));
        return 0;
    default:
        return DefWindowProcA(ev->hwnd, ev->message, ev->wParam, ev->lParam);
    }
}

int ziCtrlBase::eraseAroundSiblings(zEvent* ev)
{
    HWND me = handle();
    if (!me)
        return 1;
    HDC dc = ev ? reinterpret_cast<HDC>(ev->wParam) : nullptr;
    const bool own = dc == nullptr;
    if (own)
        dc = GetDC(me);
    const int saved = SaveDC(dc);
    if (HWND parentWnd = GetParent(me)) {
        for (HWND s = GetWindow(parentWnd, GW_CHILD); s; s = GetWindow(s, GW_HWNDNEXT)) {
            if (s == me || !IsWindowVisible(s))
                continue;
            RECT r;
            GetWindowRect(s, &r);
            MapWindowPoints(nullptr, me, reinterpret_cast<POINT*>(&r), 2);
            ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
        }
    }
    RECT client;
    GetClientRect(me, &client);
    FillRect(dc, &client, TGdiHandle<HBRUSH>(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))));
    RestoreDC(dc, saved);
    if (own)
        ReleaseDC(me, dc);
    return 1;
}
