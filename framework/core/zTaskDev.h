#pragma once
// Idle tasks: run by the message loop whenever its queue is empty.
#include "framework/core/zEvH.h"
#include "framework/core/zPlist.h"

// An idle task: the function returns nonzero when the task is finished and
// zero to run again on the next idle pass.
struct zTaskNode {
    zEvH* handler;
    zTaskProc fn;
};
using zTaskNodeDlist = zPlistOf<zTaskNode>;

class zTaskDev {
public:
    zTaskDev() = default;
    ~zTaskDev();

    // Appends a task at the tail and counts it as waiting; the device
    // deletes the node when the task is finished.
    void add(zTaskNode* task);
    void add(zEvH* handler, zTaskProc fn) { add(new zTaskNode{handler, fn}); }
    // One idle pass.
    void run();

    int32_t waiting() const { return waiting_; }
    bool enabled() const { return enabled_ != 0; }
    void setEnabled(bool on) { enabled_ = on ? 1 : 0; }

private:
    zTaskNodeDlist tasks_;
    int32_t enabled_ = 1;
    int32_t waiting_ = 0;
    zPListIterOf<zTaskNode>* pass_ = nullptr;
};
