#include "framework/controls3d/zControls3dTypes.h"

#include "framework/controls3d/zBitmapButton.h"
#include "framework/controls3d/zCheckBox3d.h"
#include "framework/controls3d/zGroupBox3d.h"
#include "framework/controls3d/zPanel3d.h"
#include "framework/controls3d/zRadioButton3d.h"
#include "framework/controls3d/zStaticText3d.h"
#include "framework/core/zControlType.h"

namespace {

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

void zRegisterControls3dTypes()
{
    // The records live to the end of the program; a failed allocation
    // skips its record.
    new (std::nothrow) zControlType("zCheckBox3dClass", &zCreateControl<zCheckBox3d>);
    new (std::nothrow) zControlType("zRadioBtn3dClass", &zCreateControl<zRadioButton3d>);
    new (std::nothrow) zControlType("zStatTxt3dClass", &zCreateControl<zStaticText3d>);
    new (std::nothrow) zControlType("zGroupBox3dClass", &zCreateControl<zGroupBox3d>);
    new (std::nothrow) zControlType("zBmpBtnClass", &makeBitmapButton);
    new (std::nothrow) zControlType("zPanel3dClass", &makePanel);
}
