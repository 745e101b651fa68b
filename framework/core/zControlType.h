// Binds a window-class name to a function that creates a framework control,
// so that dialog templates can name the framework's own control classes.
#pragma once

#include "framework/core/zDblList.h"

#include <cstdint>
#include <new>

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

// The creator of a control class whose constructor takes the five values;
// a failed allocation answers null without constructing.
template <class T>
zWindow* zCreateControl(zWindow* parent, zSizer* sizer, uint32_t style, const char* title, int32_t id)
{
    return new (std::nothrow) T(parent, sizer, style, title, id);
}
