// Binds a window-class name to a function that creates a framework control,
// so that dialog templates can name the framework's own control classes.
#pragma once

#include "framework/core/zDblList.h"

#include <cstdint>

class zWindow;
class zSizer;

using zControlCreator = zWindow* (*)(zWindow* parent, zSizer* sizer, uint32_t style, const char* title,
                                     int32_t id);

class zControlType {
public:
    // Appends the record to the process-wide list; the caller keeps the
    // record alive (a static record) for as long as it may be looked up.
    zControlType(const char* className, zControlCreator creator);

    zWindow* create(zWindow* parent, zSizer* sizer, uint32_t style, const char* title, int32_t id) const;

    // The first registered type whose class name equals the name without
    // regard to case, or null.
    static const zControlType* find(const char* className);

    // Registers the 3-D controls and the table and rich controls (defined
    // with the 3-D controls, framework/controls3d).
    static void registerExtended();

    const char* className;
    zControlCreator creator;
};

// The process-wide list of registered types, first registered first.
class zControlTypeDlist : public zDblList<zControlType> {
public:
    // Created by the first registration, kept to the end of the process.
    static zControlTypeDlist* instance(bool create);
};

using zControlTypeDlistIter = zDListIter<zControlType>;
