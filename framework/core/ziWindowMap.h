#pragma once
// Binds window handles to the framework's window objects. Handles are kept
// as opaque pointers, so the map itself makes no window call.

#include <cstdint>
#include <memory>

#include "framework/core/zPlist.h"

class zWindow;
using zWindowHandle = const void*;

struct ziWindowCell {
    zWindowHandle handle;
    zWindow* window;
};
using ziWindowCellDlist = zPlistOf<ziWindowCell>;

class ziWindowMap {
public:
    explicit ziWindowMap(uint32_t buckets = 97);
    ~ziWindowMap();
    ziWindowMap(const ziWindowMap&) = delete;
    ziWindowMap& operator=(const ziWindowMap&) = delete;

    // Binds the handle to the object and answers the object it was bound to
    // before (or null); one cell per handle.
    zWindow* insert(zWindowHandle handle, zWindow* window);
    // Unbinds the handle; answers its object or null.
    zWindow* remove(zWindowHandle handle);
    zWindow* find(zWindowHandle handle);

    uint32_t bucketCount() const { return count_; }
    uint32_t bucketOf(zWindowHandle handle) const;

private:
    uint32_t count_;
    std::unique_ptr<ziWindowCellDlist[]> buckets_;
};
