#include "framework/controls3d/zCheckBox3d.h"

#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziShellCompound.h"
#include "framework/controls3d/ziVisCheckBoxInternal.h"
#include "framework/controls3d/ziVisText3d.h"
#include "framework/core/zSizer.h"

zCheckBox3d::zCheckBox3d(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
    : ziVCBCtrlButton(parent, sizer, style, title, id)
{
    auto* compound = new ziControlCompound(root_, new zGravSizer(zSizerFill, 0, this->sizer()));
    attachVisual(root_, compound, style);
    auto* face = new ziVisCheckBoxInternal(compound, new zGravSizer(zSizerFill, 0, compound->sizer()),
                                           style, id);
    auto* caption = new ziVisText3d(compound, new zGravSizer(zSizerFill, 0, compound->sizer()), style,
                                    title ? title : "");
    compound->addParts(face, caption);
    if (this->sizer())
        this->sizer()->setRect(nullptr);
}

zWindow* zCheckBox3d::makeControl(zWindow* parent, zSizer* sizer, uint32_t style, const char* title,
                                  int32_t id)
{
    return new zCheckBox3d(parent, sizer, style, title, id);
}

void zCheckBox3d::applyStyle(uint32_t style)
{
    if (ziVisButton* f = buttonFace())
        f->setAutoToggle(ziVisCheckBoxInternal::isAuto(style) ? 1 : 0);
}

int zCheckBox3d::validate()
{
    if (bindMode == 1 && bound && handle())
        *bound = int32_t(SendMessageA(handle(), BM_GETCHECK, 0, 0));
    return 1;
}

int zCheckBox3d::transferIn()
{
    if (bindMode == 1 && bound && handle())
        SendMessageA(handle(), BM_SETCHECK, WPARAM(*bound), 0);
    return 1;
}
