#include "framework/controls3d/zStaticText3d.h"

#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziShellCompound.h"
#include "framework/controls3d/ziVisText3dStatic.h"
#include "framework/core/zSizer.h"

zStaticText3d::zStaticText3d(zWindow* parent, zSizer* sizer, DWORD style, const char* title,
                             int32_t id)
    : ziCtrlBase(parent, sizer, style, title, id)
{
    auto* compound = new ziControlCompound(root_, new zGravSizer(zSizerFill, 0, this->sizer()));
    attachVisual(root_, compound, style);
    auto* caption = new ziVisText3dStatic(compound, new zGravSizer(zSizerFill, 0, compound->sizer()),
                                          style, title ? title : "");
    compound->setCaption(caption);
    compound->add(caption);
    if (this->sizer())
        this->sizer()->setRect(nullptr);
}

zWindow* zStaticText3d::makeControl(zWindow* parent, zSizer* sizer, uint32_t style,
                                    const char* title, int32_t id)
{
    return new zStaticText3d(parent, sizer, style, title, id);
}
