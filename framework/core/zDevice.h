#pragma once
// Devices keep handler nodes that their windows' procedures consult.
#include "framework/core/zNotifyNode.h"

class zWindow;

class zDevice : public zEvH {
public:
    explicit zDevice(uint32_t interestBits = 0) : interestBits_(interestBits) {}
    ~zDevice() override;

    // Appends the node (creating the list first) and adds the device's
    // interest bits to the window's interest flags.
    void addNode(zWindow* window, zNotifyNode* node);
    // Removes and deletes each node of that message for the handler and
    // function.
    void removeNode(zWindow* window, zEvH* handler, zEvProc fn, UINT message);
    // Offers the event to the device's nodes; 1 when one handled it.
    virtual int dispatch(zEvent* ev);

    zNotifyNodeDlist* nodes() const { return nodes_; }

protected:
    zNotifyNodeDlist* nodes_ = nullptr;
    uint32_t interestBits_;
};
