#include "framework/controls3d/ziVisText.h"

#include <cstring>

#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/controls3d/zRedirSizer.h"

ziVisText::ziVisText(ziCompound* parent, zSizer* sizer, const char* text, int32_t autoSize)
    : ziVisual(parent, sizer), text_(text ? text : ""), autoSize_(autoSize)
{
    if (!autoSize_)
        return;
    zSizer* parentSizer = sizer ? sizer->parent() : nullptr;
    delete sizer_;
    sizer_ = new zRedirSizer(parentSizer, this,
                             static_cast<zRedirSizer::InfoProc>(&ziVisText::reportExtent), nullptr);
    relayout();
}

void ziVisText::reportExtent(zLayoutRecord& record)
{
    record.reset();
    zDisplay* d = display();
    SIZE ext{0, 0};
    if (d) {
        ziAcquire hold(d);
        ext = ziTextExtent(d, text_.c_str(), int32_t(text_.length()));
    }
    record.setSize(ext.cx, ext.cy);
    record.setPosition(x(), y());
    record.kind = sizer_ ? sizer_->kind() : zSizerAbsolute;
}

void ziVisText::relayout()
{
    if (sizer_ && sizer_->parent())
        sizer_->parent()->setRect(nullptr);
}

void ziVisText::setText(const char* text)
{
    text_ = text ? text : "";
    if (autoSize_) {
        ziAcquire hold(display());
        relayout();
    }
}

void ziVisText::draw(const zRect*)
{
    if (text_.isEmpty())
        return;
    zDisplay* d = display();
    if (!d)
        return;
    ziAcquire hold(d);
    applyAspects();
    TextOutA(hold.dc(), x(), y(), text_.c_str(), int(text_.length()));
}
