#include "framework/controls3d/ziBorderManager.h"

#include "framework/core/zSizer.h"

ziBorderManager::~ziBorderManager()
{
    delete top_;
    delete bottom_;
    delete left_;
    delete right_;
}

void ziBorderManager::set(zGravSizer*& margin, int32_t kind, int32_t size)
{
    if (!margin) {
        margin = new zGravSizer(kind, size, parent_);
        return;
    }
    if (kind == 0 || kind == 1)
        margin->setFixedWidth(size);
    else
        margin->setFixedHeight(size);
}
