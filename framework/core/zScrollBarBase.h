// A scroll bar control with its own scroll state.
#pragma once

#include "framework/core/zControl.h"

class zScrollInfoCtl;

class zScrollBarBase : public zControl {
public:
    // The window is made by a later create.
    zScrollBarBase(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id);
    ~zScrollBarBase() override;

    zScrollInfoCtl* scrollInfo() const { return info_; }

private:
    zScrollInfoCtl* info_;
};
