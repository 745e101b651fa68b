#include "framework/controls3d/zBitmapButton.h"

#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziShellCompound.h"
#include "framework/controls3d/ziVisBmpButtonInternal.h"
#include "framework/controls3d/ziVisText3dBmp.h"
#include "framework/core/zBitmap.h"
#include "framework/core/zSizer.h"

zBitmapButton::zBitmapButton(zWindow* parent, zSizer* sizer, DWORD style, const char* title,
                             int32_t id, zBitmap* bitmap)
    : ziVCBCtrlButton(parent, sizer, style, title ? title : "", id)
{
    const char* text = title ? title : "";
    auto* compound = new ziControlCompound(root_, new zGravSizer(zSizerFill, 0, this->sizer()));
    attachVisual(root_, compound, style);
    auto* face = new ziVisBmpButtonInternal(compound,
                                            new zGravSizer(zSizerFill, 0, compound->sizer()), style,
                                            text, id, bitmap, ImageCount);
    auto* caption = new ziVisText3dBmp(compound, new zGravSizer(zSizerFill, 0, compound->sizer()),
                                       style | ziVisText3d::NoIndent, text);
    compound->addParts(face, caption);
    applyStyle(style);
    style_ &= ~DWORD(WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    zWindow::applyStyle();
    bitmapFace_ = 1;
    if (this->sizer())
        this->sizer()->setRect(nullptr);
}

zWindow* zBitmapButton::makeControl(zWindow* parent, zSizer* sizer, uint32_t style,
                                    const char* title, int32_t id)
{
    return new zBitmapButton(parent, sizer, style, title, id, nullptr);
}

ziVisBmpButtonInternal* zBitmapButton::bitmapFaceVisual() const
{
    return face_ ? dynamic_cast<ziVisBmpButtonInternal*>(face_->face()) : nullptr;
}

void zBitmapButton::setGrayed(int32_t flag)
{
    if (ziVisBmpButtonInternal* f = bitmapFaceVisual())
        f->setGrayed(flag);
    if (ziVisText3d* c = caption())
        c->setGrayed(flag);
    drawFace();
}

void zBitmapButton::applyStyle(uint32_t style)
{
    const int32_t toggles = (style & 0x200) ? 1 : 0;
    if (ziVisBmpButtonInternal* f = bitmapFaceVisual()) {
        f->setToggleFlags(toggles, toggles);
        f->setLatching(toggles);
        f->setAutoToggle(toggles);
        f->setButtonFlags((f->buttonFlags() & ~0x200u) | (style & 0x200u));
    }
}

void zBitmapButton::setCheck(int32_t state)
{
    if (handle())
        SendMessageA(handle(), BM_SETCHECK, WPARAM(state), 0);
}
