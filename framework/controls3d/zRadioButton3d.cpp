#include "framework/controls3d/zRadioButton3d.h"

#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziShellCompound.h"
#include "framework/controls3d/ziVisRadioBtnInternal.h"
#include "framework/controls3d/ziVisText3d.h"
#include "framework/core/zSizer.h"

zRadioButton3d::zRadioButton3d(zWindow* parent, zSizer* sizer, DWORD style, const char* title,
                               int32_t id)
    : ziVCBCtrlButton(parent, sizer, style, title, id)
{
    auto* compound = new ziControlCompound(root_, new zGravSizer(zSizerFill, 0, this->sizer()));
    attachVisual(root_, compound, style);
    auto* face = new ziVisRadioBtnInternal(compound, new zGravSizer(zSizerFill, 0, compound->sizer()),
                                           style, id);
    auto* caption = new ziVisText3d(compound, new zGravSizer(zSizerFill, 0, compound->sizer()), style,
                                    title ? title : "");
    compound->addParts(face, caption);
    mouseSeen_ = 1;
    if (this->sizer())
        this->sizer()->setRect(nullptr);
}

zWindow* zRadioButton3d::makeControl(zWindow* parent, zSizer* sizer, uint32_t style,
                                     const char* title, int32_t id)
{
    return new zRadioButton3d(parent, sizer, style, title, id);
}

void zRadioButton3d::applyStyle(uint32_t style)
{
    if (ziVisButton* f = buttonFace())
        f->setAutoToggle(ziVisRadioBtnInternal::isAuto(style) ? 1 : 0);
}

int zRadioButton3d::validate()
{
    if (bindMode == 1 && bound && handle() && SendMessageA(handle(), BM_GETCHECK, 0, 0) == 1)
        *bound = ctrlId_;
    return 1;
}

int zRadioButton3d::transferIn()
{
    if (bindMode == 0 || !handle())
        return 1;
    const bool mine = bindMode == 1 && bound && *bound == ctrlId_;
    SendMessageA(handle(), BM_SETCHECK, mine ? 1 : 0, 0);
    return 1;
}

int zRadioButton3d::mouseButtonDown(zEvent* ev)
{
    mouseSeen_ = 0;
    return ziVCBCtrlButton::mouseButtonDown(ev);
}

int zRadioButton3d::mouseButtonUp(zEvent* ev)
{
    const int r = ziVCBCtrlButton::mouseButtonUp(ev);
    mouseSeen_ = 1;
    return r;
}

int zRadioButton3d::focus(zEvent* ev)
{
    if (mouseSeen_ == 1 && ev->message == WM_SETFOCUS && handle() &&
        SendMessageA(handle(), BM_GETCHECK, 0, 0) == 0 && parent() && parent()->handle())
        SendMessageA(parent()->handle(), WM_COMMAND, WPARAM(LOWORD(uint32_t(ctrlId_))),
                     LPARAM(handle()));
    return ziVCBCtrlButton::focus(ev);
}
