#include "framework/core/zFrameworkControlTypes.h"

#include "framework/core/zBitmapPane.h"
#include "framework/core/zControlType.h"
#include "framework/core/zPaneControl.h"
#include "framework/core/zTabCtrl.h"
#include "framework/core/zTextPane.h"

void zRegisterFrameworkControlTypes()
{
    // Static records: the registry keeps pointers to them.
    static zControlType textPane("zTextPane", zCreateControl<zTextPane>);
    static zControlType paneControl("zPaneControl", zCreateControl<zPaneControl>);
    static zControlType bitmapPane("zBitmapPane", zCreateControl<zBitmapPane>);
    static zControlType tabCtrl("zTabCtrl", zCreateControl<zTabCtrl>);
}
