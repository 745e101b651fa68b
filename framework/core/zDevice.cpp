#include "framework/core/zDevice.h"

#include "framework/core/zWindow.h"

zDevice::~zDevice() { zDeleteNodes(nodes_); }

void zDevice::addNode(zWindow* window, zNotifyNode* node)
{
    if (!nodes_)
        nodes_ = new zNotifyNodeDlist;
    nodes_->append(node);
    if (window)
        window->addInterest(interestBits_);
}

void zDevice::removeNode(zWindow* window, zEvH* handler, zEvProc fn, UINT message)
{
    zRemoveNode(nodes_, handler, fn, message, true);
}

int zDevice::dispatch(zEvent* ev) { return zOfferEvent(nodes_, ev); }
