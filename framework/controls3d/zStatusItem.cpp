#include "framework/controls3d/zStatusItem.h"

#include <cstring>
#include <string>

#include "classlib/GdiHandle.h"
#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/controls3d/ziShellCompound.h"
#include "framework/controls3d/ziVisPanelInternal.h"
#include "framework/controls3d/zStatusLine.h"
#include "framework/core/zSizer.h"

zStatusItem::zStatusItem(zStatusLine* line, zSizer* sizer, int32_t id, uint32_t flags)
    : ziVisual(line->root(), sizer), flags_(flags), id_(id), line_(line)
{
    line->root()->add(this);
    line->addItem(this);
    if (!(flags & NoGap))
        addGap();
    // A 1-pixel sunken frame: grey at top and left, white at bottom and right.
    face_ = new ziVisPanelInternal(line->faceCompound(), new zSizer(), 0, "", id, 1, 0, 0);
    line->faceCompound()->add(face_);
}

zStatusItem::~zStatusItem()
{
    if (line_)
        line_->removeItem(this);
    delete gap_;
    gap_ = nullptr;
    delete face_;
    face_ = nullptr;
}

void zStatusItem::addGap()
{
    delete gap_;
    gap_ = nullptr;
    if (sizer_ && line_ && (sizer_->kind() == 0 || sizer_->kind() == 1))
        gap_ = new zGravSizer(sizer_->kind(), 4, line_->sizer());
}

void zStatusItem::invalidate()
{
    zDisplay* d = display();
    const zRect r = rect();
    if (d)
        d->invalidateRect(&r, 0);
}

void zStatusItem::setText(const char* text)
{
    std::string copy = text ? text : "";
    if (copy.size() > TextCapacity - 1)
        copy.resize(TextCapacity - 1);
    if (line_ && line_->menuHelpActive() && line_->messageItem() == this)
        line_->setSavedItemText(copy.c_str());
    if (text_ == copy.c_str())
        return;
    text_ = copy.c_str();
    invalidate();
}

void zStatusItem::paintFace()
{
    if (!face_ || !face_->sizer())
        return;
    face_->sizer()->setOrigin(x(), y());
    face_->sizer()->setExtent(width(), height());
    face_->paint();
}

void zStatusItem::draw(const zRect*)
{
    ziAcquire hold(display());
    paintFace();
}

void zStatusItem::erase()
{
    zRect r{x() + 1, y() + 1, x() + width() - 1, y() + height() - 1};
    if (lastText_.width() <= r.width() && lastText_ != zRect{})
        r = lastText_;
    if (r != zRect{}) {
        zDisplay* d = display();
        ziAcquire hold(d);
        if (hold.dc() && line_) {
            RECT rr{r.left, r.top, r.right, r.bottom};
            FillRect(hold.dc(), &rr, TGdiHandle<HBRUSH>(CreateSolidBrush(line_->effectiveBackground())));
        }
    }
    lastText_ = zRect{};
}

zStatusItemText::zStatusItemText(zStatusLine* line, zSizer* sizer, int32_t id, uint32_t flags)
    : zStatusItem(line, sizer, id, flags)
{
}

zStatusItemText::zStatusItemText(zStatusLine* line, int32_t gravity, const char* sample,
                                 int32_t id, uint32_t flags)
    : zStatusItem(line, nullptr, id, flags)
{
    dock(gravity, gravity == zSizerFill ? 0 : measure(sample));
}

int32_t zStatusItemText::measure(const char* text) const
{
    zDisplay* d = display();
    ziAcquire hold(d);
    return ziTextExtent(d, text ? text : "", int32_t(text ? std::strlen(text) : 0)).cx + 8;
}

void zStatusItemText::dock(int32_t gravity, int32_t width)
{
    delete sizer_;
    sizer_ = new zGravSizer(gravity, width, line_ ? line_->sizer() : nullptr);
}

void zStatusItemText::draw(const zRect*)
{
    zDisplay* d = display();
    if (!d)
        return;
    ziAcquire hold(d);
    if (flags_ & Clip) {
        const TGdiHandle<HRGN> rgn(CreateRectRgn(x(), y(), x() + width(), y() + height()));
        SelectClipRgn(hold.dc(), rgn);
        drawText();
        paintFace();
        SelectClipRgn(hold.dc(), nullptr);
    } else {
        paintFace();
        drawText();
    }
}

void zStatusItemText::drawText()
{
    if (text_.isEmpty()) {
        erase();
        return;
    }
    zDisplay* d = display();
    if (!d)
        return;
    ziAcquire hold(d);
    const SIZE s = ziTextExtent(d, text_.c_str(), int32_t(text_.length()));
    if (lastText_.width() > s.cx)
        erase();
    const int32_t inset = face_ ? 2 * face_->bevel() + face_->border() : 2;
    const zRect in{x() + inset, y() + inset, x() + width() - inset, y() + height() - inset};
    int32_t tx = in.left;
    if (flags_ & AlignCentre)
        tx = (in.left + in.right) / 2 - s.cx / 2;
    else if (flags_ & AlignRight)
        tx = in.right - s.cx;
    const int32_t ty = (in.top + in.bottom) / 2 - s.cy / 2;
    TextOutA(hold.dc(), tx, ty, text_.c_str(), int(text_.length()));
    lastText_ = zRect{tx, ty, tx + s.cx, ty + s.cy};
}
