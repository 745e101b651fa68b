#include "framework/core/ziWindowMap.h"

ziWindowMap::ziWindowMap(uint32_t buckets)
    : count_(buckets ? buckets : 1), buckets_(new ziWindowCellDlist[count_])
{
}

ziWindowMap::~ziWindowMap()
{
    for (uint32_t b = 0; b < count_; ++b) {
        zPListIterOf<ziWindowCell> it(buckets_[b]);
        while (ziWindowCell* cell = it.next())
            delete cell;
    }
}

uint32_t ziWindowMap::bucketOf(zWindowHandle handle) const
{
    const uint32_t hash = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle)) * 4u;
    return hash % count_;
}

zWindow* ziWindowMap::remove(zWindowHandle handle)
{
    zWindow* found = nullptr;
    ziWindowCellDlist& bucket = buckets_[bucketOf(handle)];
    zPListIterOf<ziWindowCell> it(bucket);
    while (ziWindowCell* cell = it.next()) {
        if (cell->handle == handle) {
            found = cell->window;
            it.remove();
            delete cell;
        }
    }
    return found;
}

zWindow* ziWindowMap::insert(zWindowHandle handle, zWindow* window)
{
    zWindow* previous = remove(handle);
    buckets_[bucketOf(handle)].append(new ziWindowCell{handle, window});
    return previous;
}

zWindow* ziWindowMap::find(zWindowHandle handle)
{
    zWindow* found = nullptr;
    zPListIterOf<ziWindowCell> it(buckets_[bucketOf(handle)]);
    while (ziWindowCell* cell = it.next())
        if (cell->handle == handle)
            found = cell->window;
    return found;
}
