// The control types of the 3-D controls and of the table and rich
// controls, so that dialog templates can name them by class.
#include <new>

#include "framework/controls3d/zBitmapButton.h"
#include "framework/controls3d/zCheckBox3d.h"
#include "framework/controls3d/zGroupBox3d.h"
#include "framework/controls3d/zPanel3d.h"
#include "framework/controls3d/zRadioButton3d.h"
#include "framework/controls3d/zStaticText3d.h"
#include "framework/core/zControlType.h"
#include "framework/core/zProgressBar.h"
#include "framework/core/zTable.h"
#include "framework/core/zTablePrintable.h"
#include "framework/core/zTreeCtrl.h"
#include "framework/core/zValueSet.h"

namespace {

// A failed allocation answers null without constructing.
template <class T>
zWindow* make(zWindow* parent, zSizer* sizer, uint32_t style, const char* title, int32_t id)
{
    return new (std::nothrow) T(parent, sizer, style, title, id);
}

zWindow* makeBitmapButton(zWindow* parent, zSizer* sizer, uint32_t style, const char* title,
                          int32_t id)
{
    return new (std::nothrow) zBitmapButton(parent, sizer, style, title, id, nullptr);
}

zWindow* makePanel(zWindow* parent, zSizer* sizer, uint32_t style, const char* title, int32_t id)
{
    return new (std::nothrow) zPanel3d(parent, sizer, style, title, id, 999, 999);
}

}  // namespace

void zControlType::registerExtended()
{
    // The records live to the end of the program; a failed allocation
    // skips its record.
    new (std::nothrow) zControlType("zCheckBox3dClass", &make<zCheckBox3d>);
    new (std::nothrow) zControlType("zRadioBtn3dClass", &make<zRadioButton3d>);
    new (std::nothrow) zControlType("zStatTxt3dClass", &make<zStaticText3d>);
    new (std::nothrow) zControlType("zGroupBox3dClass", &make<zGroupBox3d>);
    new (std::nothrow) zControlType("zBmpBtnClass", &makeBitmapButton);
    new (std::nothrow) zControlType("zPanel3dClass", &makePanel);
    new (std::nothrow) zControlType("zTable", &make<zTable>);
    new (std::nothrow) zControlType("zTablePrintable", &make<zTablePrintable>);
    new (std::nothrow) zControlType("zValueSet", &make<zValueSet>);
    new (std::nothrow) zControlType("zTreeCtrl", &make<zTreeCtrl>);
    new (std::nothrow) zControlType("zProgressBar", &make<zProgressBar>);
}
