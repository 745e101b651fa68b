#include "framework/controls3d/zSlotSizer.h"

zSlotSizer::zSlotSizer(int32_t slot, int32_t width, int32_t height, zSizer* parent)
    : zSizer(parent), slot_(slot), reqWidth_(width), reqHeight_(height)
{
    width_ = width;
    height_ = height;
    kind_ = 0;
}

void zSlotSizer::layoutInfo(zLayoutRecord& record)
{
    record.reset();
    record.setPosition(x_, y_);
    record.setSize(reqWidth_, reqHeight_);
    record.kind = 0;
}

zSizer* zSlotSizer::isA(int32_t tag)
{
    return tag == Tag || tag == 1 ? this : nullptr;
}
