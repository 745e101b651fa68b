#include "framework/core/zControlType.h"

#include "framework/core/RcCString.h"

#include <cstring>

zControlTypeDlist* zControlTypeDlist::instance(bool create)
{
    static zControlTypeDlist* list = nullptr;
    if (!list && create)
        list = new zControlTypeDlist;
    return list;
}

zControlType::zControlType(const char* name, zControlCreator make)
    : className(name), creator(make)
{
    zControlTypeDlist::instance(true)->append(this);
}

zWindow* zControlType::create(zWindow* parent, zSizer* sizer, uint32_t style, const char* title,
                              int32_t id) const
{
    return creator ? creator(parent, sizer, style, title, id) : nullptr;
}

const zControlType* zControlType::find(const char* name)
{
    zControlTypeDlist* list = zControlTypeDlist::instance(false);
    if (!list || !name)
        return nullptr;
    const size_t length = std::strlen(name);
    zControlTypeDlistIter it(*list);
    while (zControlType* type = it.next()) {
        if (type->className && std::strlen(type->className) == length &&
            rcStrnicmp(type->className, name, length) == 0)
            return type;
    }
    return nullptr;
}
