#pragma once
// A leaf sizer that asks its owner for its layout record and tells the
// owner where it was placed.

#include "framework/core/zSizer.h"

class zEvH;

class zRedirSizer : public zLeafSizer {
public:
    using InfoProc = void (zEvH::*)(zLayoutRecord&);
    using PlacedProc = void (zEvH::*)(const zRect&, int32_t);

    zRedirSizer(zSizer* parent, zEvH* owner, InfoProc info, PlacedProc placed);

    void layoutInfo(zLayoutRecord& record) override;
    void place(zRect& rect, int32_t noMove) override;
    zSizer* isA(int32_t tag) override;

private:
    zEvH* owner_;
    InfoProc info_;
    PlacedProc placed_;
};
