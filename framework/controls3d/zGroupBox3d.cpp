#include "framework/controls3d/zGroupBox3d.h"

#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziShellCompound.h"
#include "framework/controls3d/ziVisGroupBoxInternal.h"
#include "framework/controls3d/ziVisText3dGroup.h"
#include "framework/core/zSizer.h"

zGroupBox3d::zGroupBox3d(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
    : ziCtrlBase(parent, sizer, style, title ? title : "", id)
{
    const char* text = title ? title : "";
    auto* compound = new ziControlCompound(root_, new zGravSizer(zSizerFill, 0, this->sizer()));
    attachVisual(root_, compound, style);
    auto* face = new ziVisGroupBoxInternal(compound, new zGravSizer(zSizerFill, 0, compound->sizer()),
                                           style, text, id);
    auto* caption = new ziVisText3dGroup(compound, new zGravSizer(zSizerFill, 0, compound->sizer()),
                                         style, text);
    compound->addParts(face, caption);
    style_ &= ~DWORD(WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    applyStyle();
    if (this->sizer())
        this->sizer()->setRect(nullptr);
}

zWindow* zGroupBox3d::makeControl(zWindow* parent, zSizer* sizer, uint32_t style,
                                  const char* title, int32_t id)
{
    return new zGroupBox3d(parent, sizer, style, title, id);
}

LRESULT zGroupBox3d::defWindowProc(zEvent* ev)
{
    if (ev->message == WM_NCHITTEST)
        return HTTRANSPARENT;
    return ziCtrlBase::defWindowProc(ev);
}
