#include "framework/controls3d/zMenuLink.h"

#include "framework/controls3d/zToolbar.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zMenu.h"

zMenuLink::zMenuLink(zToolbar* toolbar, uint32_t flags, zMenu* menu)
{
    init(toolbar, 0, 0xFFFF, flags, menu);
}

template <class Fn>
void zMenuLink::forEachButton(Fn fn)
{
    if (!toolbar_)
        return;
    if (first_ == 0 && last_ == 0xFFFF) {
        zPListIterOf<zWindow> it(toolbar_->children());
        while (zWindow* w = it.next())
            fn(w);
        return;
    }
    for (uint32_t id = first_; id <= last_; ++id)
        if (zWindow* w = toolbar_->findButton(int32_t(id)))
            fn(w);
}

zMenuLink::~zMenuLink()
{
    forEachButton([this](zWindow* b) { detach(b); });
}

void zMenuLink::init(zToolbar* toolbar, uint32_t first, uint32_t last, uint32_t flags, zMenu* menu)
{
    toolbar_ = toolbar;
    first_ = first;
    last_ = last;
    flags_ = flags;
    menu_ = menu;
    if (!menu_ && toolbar && toolbar->parent())
        if (auto* frame = dynamic_cast<zFrameWin*>(toolbar->parent()))
            menu_ = frame->menu();
    forEachButton([this](zWindow* b) {
        attach(b);
        if (!b->handle())
            return;
        if (flags_ & FollowEnabled) {
            zEvent ev{0, WPARAM(IsWindowEnabled(b->handle()) ? 1 : 0), WM_ENABLE, b->handle()};
            notify(&ev);
        }
        if (flags_ & FollowChecked) {
            const LRESULT check = SendMessageA(b->handle(), BM_GETCHECK, 0, 0);
            zEvent ev{0, WPARAM(check), BM_SETCHECK, b->handle()};
            notify(&ev);
        }
    });
}

void zMenuLink::attach(zWindow* button)
{
    if (flags_ & FollowEnabled)
        button->addNotify(this, zProc(&zMenuLink::notify), WM_ENABLE);
    if (flags_ & FollowChecked)
        button->addNotify(this, zProc(&zMenuLink::notify), BM_SETCHECK);
}

void zMenuLink::detach(zWindow* button)
{
    if (flags_ & FollowEnabled)
        button->removeNotify(this, zProc(&zMenuLink::notify));
    if (flags_ & FollowChecked)
        button->removeNotify(this, zProc(&zMenuLink::notify));
}

int zMenuLink::notify(zEvent* ev)
{
    if (!menu_ || !menu_->handle())
        return 0;
    const UINT id = UINT(GetWindowLongA(ev->hwnd, GWL_ID));
    if (ev->message == WM_ENABLE && (flags_ & FollowEnabled))
        EnableMenuItem(menu_->handle(), id, ev->wParam ? MF_ENABLED : MF_GRAYED);
    else if (ev->message == BM_SETCHECK && (flags_ & FollowChecked))
        CheckMenuItem(menu_->handle(), id, ev->wParam ? MF_CHECKED : MF_UNCHECKED);
    return 0;
}
