#include "framework/controls3d/ziVisualPane.h"

#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/core/zSizer.h"

ziVisualPane::ziVisualPane(zWindow* parent, zSizer* sizer, DWORD style)
    : ziVisualHost<zPane>(parent, sizer, style, 0, 1)
{
}

int ziVisualPane::printPage(zDisplay* d, const zRect& band)
{
    zDisplay* own = display();
    zSizer* s = sizer();
    if (root_ && s && own) {
        const zRect saved = s->rect();
        ziAcquire hold(own);
        zRect ext = own->extentRect();
        s->setRect(&ext);
        root_->draw(nullptr);
        s->setRect(&saved);
    }
    return zPane::printPage(d, band);
}

LRESULT ziVisualPane::forwardToOwner(zWindow* o, zEvent* ev)
{
    if (!o)
        return zWindow::defWindowProc(ev);
    if (ev->message == WM_COMMAND) {
        if (o->handle() && IsWindow(o->handle()))
            return SendMessageA(o->handle(), WM_COMMAND, ev->wParam, ev->lParam);
        return 0;
    }
    if (ev->message == WM_MENUSELECT)
        return SendMessageA(o->handle(), WM_MENUSELECT, ev->wParam, ev->lParam);
    return zWindow::defWindowProc(ev);
}
