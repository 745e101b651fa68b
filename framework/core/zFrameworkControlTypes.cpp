#include "framework/core/zFrameworkControlTypes.h"

#include "framework/core/zBitmapPane.h"
#include "framework/core/zControlType.h"
#include "framework/core/zPaneControl.h"
#include "framework/core/zTabCtrl.h"
#include "framework/core/zTextPane.h"

namespace {

template <class T>
zWindow* make(zWindow* parent, zSizer* sizer, uint32_t style, const char* title, int32_t id)
{
    return new T(parent, sizer, style, title, id);
}

} // namespace

void zRegisterFrameworkControlTypes()
{
    // Static records: the registry keeps pointers to them.
    static zControlType textPane("zTextPane", make<zTextPane>);
    static zControlType paneControl("zPaneControl", make<zPaneControl>);
    static zControlType bitmapPane("zBitmapPane", make<zBitmapPane>);
    static zControlType tabCtrl("zTabCtrl", make<zTabCtrl>);
}
