#include "framework/core/zTaskDev.h"

zTaskDev::~zTaskDev()
{
    zPListIterOf<zTaskNode> it(tasks_);
    while (zTaskNode* task = it.next()) {
        it.remove();
        delete task;
    }
}

void zTaskDev::add(zTaskNode* task)
{
    tasks_.append(task);
    ++waiting_;
}

void zTaskDev::run()
{
    if (!enabled_ || waiting_ <= 0)
        return;
    zPListIterOf<zTaskNode> it(tasks_);
    pass_ = &it;
    while (zTaskNode* task = it.next()) {
        if ((task->handler->*task->fn)()) {
            it.remove();
            --waiting_;
            delete task;
        }
    }
    pass_ = nullptr;
}
