#include "framework/core/zControl.h"

#include "framework/core/zGenericControl.h"

#include "framework/core/zApplication.h"
#include "framework/core/zNotifyNode.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zSizer.h"
#include "framework/core/ziWindowMap.h"

#include <vector>

namespace {

int32_t orZero(int32_t v) { return v == zSizerUnset ? 0 : v; }

} // namespace

zControl::zControl(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id)
    : zChildWin(parent, sizer, 0, id)
{
    setKind(zKindControl);
    setStyle(style_ | (style ? style : WS_TABSTOP));
    text_ = text ? text : "";
    setClassName("CtrlWindowCL");
    background_ = NoBackground;
    kind_ = KindPlain;
    textColor_ = zColor::fromColorRef(GetSysColor(COLOR_BTNTEXT));
    textColor_.kind = 0;
}

zControl::zControl(zWindow* dialog, int32_t id) : zChildWin(dialog)
{
    setKind(zKindControl);
    setKind(zControlKind::TakenOver);
    id_ = id;
    zWindow* window = dialog ? dialog->childById(id) : nullptr;
    zControl* found = nullptr;
    if (window && window != this && window->isKind(zKindControl))
        found = static_cast<zControl*>(window);
    if (!found)
        return;

    // Copy the state of the control the dialog made for the item.
    sizer_->setOrigin(found->sizer_->x(), found->sizer_->y());
    sizer_->setExtent(found->sizer_->width(), found->sizer_->height());
    textColor_ = found->textColor_;
    style_ = found->style_;
    exStyle_ = found->exStyle_;
    className_ = found->className_;
    cursor_ = found->cursor_;
    text_ = found->text_;
    vScroll_ = found->vScroll_;
    hScroll_ = found->hScroll_;
    found->vScroll_ = found->hScroll_ = nullptr;
    savedProc_ = found->savedProc_;
    background_ = found->background_;
    brush_ = found->brush_;
    found->brush_ = nullptr;
    icon_ = found->icon_;
    font_ = found->font_;
    if (found->state_ & OwnsFont) {
        setState(OwnsFont);
        found->clearState(OwnsFont);
    }
    state_ |= found->state_ & (WasShown | Destroyed);

    // Take the found control's place in the dialog's child list.
    std::vector<zWindow*> order;
    {
        zPListIterOf<zWindow> it(dialog->children());
        while (zWindow* child = it.next())
            if (child != this)
                order.push_back(child == found ? this : child);
    }
    for (zWindow* child : order) {
        dialog->children().remove(child);
        dialog->children().append(child);
    }

    if (found->kind_ != KindGeneric) {
        kind_ = found->kind_;
        HWND hwnd = found->hwnd_;
        found->unbind();
        found->hwnd_ = nullptr;
        found->parent_->children().remove(found);
        found->parent_ = nullptr;
        delete found;
        bind(hwnd);
    } else {
        // The generic control keeps its window (the window map still names
        // it); it goes with this object.
        kind_ = KindGeneric;
        predecessor_ = found;
        found->parent_->children().remove(found);
        found->parent_ = nullptr;
        hwnd_ = found->hwnd_;
        if (auto* generic = dynamic_cast<zGenericControl*>(found))
            generic->setOwner(this);
    }
}

zControl::~zControl()
{
    if (predecessor_) {
        predecessor_->setState(Destroyed);
        zWindow* p = predecessor_;
        predecessor_ = nullptr;
        if (hwnd_ == p->handle())
            hwnd_ = nullptr; // the predecessor owns the window
        delete p;
    }
    if (brush_)
        DeleteObject(brush_);
    brush_ = nullptr;
    if (hwnd_ && theApplication && theApplication->windowMap) {
        zWindow* other = theApplication->windowMap->find(hwnd_);
        if (other && other != this) {
            other->setState(Destroyed);
            delete other;
        }
    }
}

LRESULT zControl::send(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return hwnd_ ? SendMessageA(hwnd_, msg, wParam, lParam) : 0;
}

LRESULT zControl::defWindowProc(zEvent* ev)
{
    if (savedProc_)
        return CallWindowProcA(savedProc_, ev->hwnd, ev->message, ev->wParam, ev->lParam);
    return DefWindowProcA(ev->hwnd, ev->message, ev->wParam, ev->lParam);
}

void zControl::backgroundColor(const zColor& color)
{
    background_ = (color.kind ? 0x02000000u : 0u) | RGB(color.red, color.green, color.blue);
    if (brush_)
        DeleteObject(brush_);
    brush_ = CreateSolidBrush(background_);
}

int zControl::create()
{
    style_ &= ~static_cast<DWORD>(WS_CLIPSIBLINGS);
    HWND hwnd = CreateWindowExA(exStyle_, className_.c_str(), text_.c_str(), style_, orZero(sizer_->x()),
                                orZero(sizer_->y()), orZero(sizer_->width()), orZero(sizer_->height()),
                                parent_ ? parent_->handle() : nullptr,
                                reinterpret_cast<HMENU>(static_cast<intptr_t>(id_)),
                                theApplication ? theApplication->instance : GetModuleHandleA(nullptr), nullptr);
    if (!hwnd)
        return 0;
    bind(hwnd);
    savedProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&zControlWndProc));
    if (parent_ && parent_->font())
        setFont(parent_->font(), 0);
    return 1;
}

void zControl::show(int code)
{
    if (state_ & WasShown) {
        showState(code);
        return;
    }
    setState(WasShown);
    // The sizers place the control: the parent's lays out again when the
    // parent is already shown, else the control's own.
    if (parent_ && parent_->handle()) {
        RECT client;
        GetClientRect(parent_->handle(), &client);
        zEvent ev{MAKELPARAM(client.right, client.bottom), 0, WM_SIZE, parent_->handle()};
        sizer_->parentResized(parent_, &ev);
    }
    if (parent_ && (parent_->state() & WasShown) && parent_->sizer()) {
        parent_->sizer()->setRect(nullptr);
        if (sizer_->kind() == zSizerAbsolute)
            sizer_->setRect(nullptr);
    } else {
        sizer_->setRect(nullptr);
    }
    if (hwnd_) {
        ShowWindow(hwnd_, code);
        UpdateWindow(hwnd_);
    }
    if (code)
        style_ |= WS_VISIBLE;
}

RcCString zControl::text() const
{
    if (!hwnd_)
        return RcCString();
    int length = GetWindowTextLengthA(hwnd_);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, 0);
    GetWindowTextA(hwnd_, buffer.data(), length + 1);
    return RcCString(buffer.data());
}

void zControl::setText(const char* text)
{
    text_ = text ? text : "";
    if (!hwnd_)
        return;
    const bool disabled = !IsWindowEnabled(hwnd_);
    if (disabled)
        EnableWindow(hwnd_, TRUE);
    SetWindowTextA(hwnd_, text_.c_str());
    if (disabled)
        EnableWindow(hwnd_, FALSE);
}

void zControl::addCommandHandler(zEvH* handler, zEvProc fn)
{
    if (parent_)
        parent_->addCommand(static_cast<uint32_t>(id_), handler, fn);
}

void zControl::addNotifyHandler(zEvH* handler, zEvProc fn, uint16_t code)
{
    if (!parent_)
        return;
    zNotifyNodeDlist*& list = parent_->commandNodeList();
    if (!list)
        list = new zNotifyNodeDlist;
    list->append(new zCtrlNotifyNode(static_cast<uint32_t>(id_), hwnd_, code, fn, handler));
}

void zControl::removeNotifyHandler(zEvH* handler, zEvProc fn)
{
    if (!parent_ || !parent_->commandNodes())
        return;
    zNotifyNodeDlist* list = parent_->commandNodes();
    zPListIterOf<zNotifyNode> it(*list);
    while (zNotifyNode* node = it.next()) {
        if (node->is(handler, fn)) {
            it.remove();
            delete node;
            return;
        }
    }
}
