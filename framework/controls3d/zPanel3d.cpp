#include "framework/controls3d/zPanel3d.h"

#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziShellCompound.h"
#include "framework/controls3d/ziVisPanelInternal.h"
#include "framework/controls3d/ziVisText3dPanel.h"
#include "framework/core/zSizer.h"

zPanel3d::zPanel3d(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id,
                   int32_t bevel, int32_t border)
    : ziCtrlBase(parent, sizer, style, title ? title : "", id)
{
    if (bevel == 999 && border == 999) {
        bevel = int32_t((style & 0x38) >> 3);
        border = int32_t((style & 0x3800) >> 11);
    }
    const char* text = title ? title : "";
    auto* compound = new ziControlCompound(root_, new zGravSizer(zSizerFill, 0, this->sizer()));
    attachVisual(root_, compound, style);
    auto* face = new ziVisPanelInternal(compound, new zGravSizer(zSizerFill, 0, compound->sizer()),
                                        style, text, id, bevel, border, 1);
    auto* caption = new ziVisText3dPanel(compound, new zGravSizer(zSizerFill, 0, compound->sizer()),
                                         style, text);
    compound->addParts(face, caption);
    style_ &= ~DWORD(WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    applyStyle();
    if (this->sizer())
        this->sizer()->setRect(nullptr);
}

zWindow* zPanel3d::makeControl(zWindow* parent, zSizer* sizer, uint32_t style, const char* title,
                               int32_t id)
{
    return new zPanel3d(parent, sizer, style, title, id, 999, 999);
}

ziVisPanelInternal* zPanel3d::panelFace() const
{
    return face_ ? dynamic_cast<ziVisPanelInternal*>(face_->face()) : nullptr;
}

LRESULT zPanel3d::defWindowProc(zEvent* ev)
{
    if (ev->message == WM_NCHITTEST)
        return HTTRANSPARENT;
    return ziCtrlBase::defWindowProc(ev);
}

void zPanel3d::setStyle(uint32_t style, int redraw)
{
    if (ziVisPanelInternal* f = panelFace()) {
        f->setBevel(int32_t((style & 0x38) >> 3));
        f->setBorder(int32_t((style & 0x3800) >> 11));
        f->setPanelFlags(style);
    }
    ziCtrlBase::setStyle(style, redraw);
}
