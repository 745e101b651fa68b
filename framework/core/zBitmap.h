#pragma once
// A bitmap holder.
#include <windows.h>

#include <cstdint>

#include "framework/core/zDrawObj.h"

class zDisplay;
class zResId;

class zBitmap : public zDrawObj {
public:
    // A bitmap compatible with the display's device context.
    zBitmap(int32_t width, int32_t height, zDisplay* display);
    // Loads a bitmap resource: from the library the id names (the
    // application's resource module when it cannot be loaded), else from the
    // id's module, else from the application's resource module.
    explicit zBitmap(const zResId& id);
    // Adopts a bitmap handle (deleted with the holder).
    explicit zBitmap(HBITMAP bitmap) : zDrawObj(bitmap, 0) {}

    HBITMAP bitmap() const { return static_cast<HBITMAP>(handle_); }
    // Width and height (0, 0 without a handle).
    SIZE size() const;
};
