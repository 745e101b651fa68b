#pragma once
// Holder of one region handle, deleted with the holder.
#include <windows.h>

#include <cstdint>

class zRegion {
public:
    explicit zRegion(HRGN region = nullptr) : region_(region) {}
    virtual ~zRegion()
    {
        if (region_)
            DeleteObject(region_);
    }
    zRegion(const zRegion&) = delete;
    zRegion& operator=(const zRegion&) = delete;

    bool contains(int32_t x, int32_t y) const { return region_ && PtInRegion(region_, x, y); }
    HRGN region() const { return region_; }

protected:
    HRGN region_;
};
