#include "framework/core/zNotifyNode.h"

#include "framework/core/zWindow.h"

zNotifyNode::zNotifyNode(zEvProc fn, zEvH* handler, UINT msg, zWindow* window)
    : lowId(0), highId(0xFFFF), message(msg), windowFilter(window ? window->handle() : nullptr),
      fn_(fn), handler_(handler)
{
}

zNotifyNode::zNotifyNode(uint32_t id, zEvProc fn, zEvH* handler, UINT msg)
    : lowId(id), highId(id), message(msg), windowFilter(nullptr), fn_(fn), handler_(handler)
{
}

int zNotifyNode::matches(const zEvent* ev) const
{
    if (ev->message != message)
        return 0;
    const uint32_t id = LOWORD(ev->wParam);
    if (id < lowId || id > highId)
        return 0;
    return !windowFilter || windowFilter == ev->hwnd;
}

zCtrlNotifyNode::zCtrlNotifyNode(uint32_t id, HWND ctl, uint32_t notifyCode, zEvProc fn,
                                 zEvH* handler)
    : zNotifyNode(id, fn, handler, WM_COMMAND), control(ctl), code(notifyCode)
{
}

int zCtrlNotifyNode::matches(const zEvent* ev) const
{
    return zNotifyNode::matches(ev) && reinterpret_cast<HWND>(ev->lParam) == control &&
           HIWORD(ev->wParam) == code;
}

int zOfferEvent(zNotifyNodeDlist* list, zEvent* ev)
{
    if (!list)
        return 0;
    zPListIterOf<zNotifyNode> it(*list);
    while (zNotifyNode* node = it.next())
        if (node->matches(ev) && node->call(ev))
            return 1;
    return 0;
}

int zRemoveNode(zNotifyNodeDlist* list, zEvH* handler, zEvProc fn, UINT message, bool all)
{
    if (!list)
        return 0;
    int removed = 0;
    zPListIterOf<zNotifyNode> it(*list);
    while (zNotifyNode* node = it.next()) {
        if (node->is(handler, fn) && (message == 0 || node->message == message)) {
            it.remove();
            delete node;
            ++removed;
            if (!all)
                break;
        }
    }
    return removed;
}

void zDeleteNodes(zNotifyNodeDlist*& list)
{
    if (!list)
        return;
    {
        zPListIterOf<zNotifyNode> it(*list);
        while (zNotifyNode* node = it.next()) {
            it.remove();
            delete node;
        }
    }
    delete list;
    list = nullptr;
}

int zEvCore::dispatch(zEvent* ev, zWindow* window)
{
    return zOfferEvent(window->messageNodes(), ev);
}

int zEvCore::dispatchCommand(zEvent* ev, zWindow* window)
{
    if (zOfferEvent(window->commandNodes(), ev))
        return 1;
    return dispatch(ev, window);
}
