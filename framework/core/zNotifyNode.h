#pragma once
// Handler nodes: a message (or command-id range) with a handler object and
// its member function, kept in node lists of windows and devices.
#include "framework/core/zEvH.h"
#include "framework/core/zPlist.h"

class zWindow;

class zNotifyNode {
public:
    // Any id (0..65535); filtered to the window's handle when one is given.
    zNotifyNode(zEvProc fn, zEvH* handler, UINT message, zWindow* window = nullptr);
    // Exactly the id, any window.
    zNotifyNode(uint32_t id, zEvProc fn, zEvH* handler, UINT message);
    virtual ~zNotifyNode() = default;

    virtual int matches(const zEvent* ev) const;
    bool is(zEvH* handler, zEvProc fn) const { return handler_ == handler && fn_ == fn; }
    int call(zEvent* ev) { return (handler_->*fn_)(ev); }

    uint32_t lowId;
    uint32_t highId;
    UINT message;
    HWND windowFilter;

protected:
    zEvProc fn_;
    zEvH* handler_;
};

// A WM_COMMAND node of one control's notification code.
class zCtrlNotifyNode : public zNotifyNode {
public:
    zCtrlNotifyNode(uint32_t id, HWND control, uint32_t code, zEvProc fn, zEvH* handler);
    int matches(const zEvent* ev) const override;

    HWND control;
    uint32_t code;
};

using zNotifyNodeDlist = zPlistOf<zNotifyNode>;

// Offers the event to each matching node until one handles it; 1 when one
// did. Nodes may be removed while the list is walked.
int zOfferEvent(zNotifyNodeDlist* list, zEvent* ev);
// Removes and deletes the first node (every node when `all`) for which
// is(handler, fn) holds and whose message is `message` (any message when
// 0); answers how many went.
int zRemoveNode(zNotifyNodeDlist* list, zEvH* handler, zEvProc fn, UINT message = 0,
                bool all = false);
// Deletes every node and the list.
void zDeleteNodes(zNotifyNodeDlist*& list);

// Routing of events to a window's node lists.
struct zEvCore {
    // The window's message nodes; 1 when one handled the event.
    static int dispatch(zEvent* ev, zWindow* window);
    // The window's command nodes, then its message nodes.
    static int dispatchCommand(zEvent* ev, zWindow* window);
};
