#include "framework/controls3d/ziVisText3d.h"

#include "framework/controls3d/ziCompound.h"
#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/controls3d/ziMnemonic.h"

namespace {
const zColor kNone{0, 0, 255, 0};
const zColor kWhite{255, 255, 255, 0};
const zColor kGrey{128, 128, 128, 0};
const zColor kBlack{0, 0, 0, 0};
}  // namespace

ziVisText3d::ziVisText3d(ziCompound* parent, zSizer* sizer, uint32_t style, const char* text)
    : ziVisText(parent, sizer, text, 0)
{
    setStyle(style);
    if (style & GrayedStyle)
        grayed_ = 1;
}

void ziVisText3d::setText(const char* text)
{
    ziVisText::setText(text);
    strippedValid_ = false;
    hasMnemonic_ = 0;
    mnemonicIndex_ = 0;
}

void ziVisText3d::setStyle(uint32_t style)
{
    style_ = style;
    switch (style & LookMask) {
    case 0x000: first_ = kNone; second_ = kNone; break;
    case 0x080: first_ = kNone; second_ = kWhite; break;
    case 0x0C0: first_ = kGrey; second_ = kWhite; break;
    case 0x100: first_ = kWhite; second_ = kNone; break;
    case 0x140: first_ = kWhite; second_ = kGrey; break;
    default: break;  // other looks keep their colours
    }
}

int32_t ziVisText3d::sizeMargin() const
{
    const uint32_t look = style_ & LookMask;
    return look == 0x080 || look == 0x0C0 || look == 0x140 ? 2 : 1;
}

int32_t ziVisText3d::styleOffset(int32_t v) const
{
    const uint32_t look = style_ & LookMask;
    return look == 0x000 || look == 0x080 ? v : v + 1;
}

const std::string& ziVisText3d::stripMnemonic()
{
    // Stripped once per text: stripping "&&" again would find a marker.
    if (!strippedValid_) {
        stripped_ = text_.c_str();
        ziMnemonic::strip(stripped_, hasMnemonic_, mnemonicIndex_);
        strippedValid_ = true;
    }
    return stripped_;
}

int32_t ziVisText3d::textWidth()
{
    const std::string& s = stripMnemonic();
    return ziTextExtent(display(), s.c_str(), int32_t(s.size())).cx + sizeMargin();
}

int32_t ziVisText3d::textHeight()
{
    const std::string& s = stripMnemonic();
    return ziTextExtent(display(), s.c_str(), int32_t(s.size())).cy + sizeMargin();
}

zRect ziVisText3d::area() const
{
    return parent_ ? parent_->rect() : rect();
}

bool ziVisText3d::shows() { return !stripMnemonic().empty(); }

void ziVisText3d::draw(const zRect*)
{
    if (!shows())
        return;
    zDisplay* d = display();
    if (!d)
        return;
    ziAcquire hold(d);
    d->backColor(ziColor(ziBtnFace()));
    drawIn(area());
}

void ziVisText3d::drawIn(const zRect& a)
{
    const int32_t tx = a.left + ((style_ & NoIndent) ? 1 : 19);
    const int32_t ty = a.top + styleOffset(a.height() / 2 - textHeight() / 2);
    drawFocusFrame(1);
    placeIn(tx, ty);
    drawFocusFrame(1);
    if (focused_)
        drawFocusFrame(0);
    drawText();
}

void ziVisText3d::eraseBox()
{
    zDisplay* d = display();
    if (!d)
        return;
    ziAcquire hold(d);
    const int32_t w = textWidth(), h = textHeight();
    ziPenScope pen(d, ziBtnFace());
    ziBrushScope brush(d, ziBtnFace());
    Rectangle(hold.dc(), tx_, ty_, tx_ + w, ty_ + h);
}

void ziVisText3d::drawFocusFrame(int32_t erase)
{
    if (stripMnemonic().empty())
        return;
    zDisplay* d = display();
    if (!d)
        return;
    ziAcquire hold(d);
    HDC dc = hold.dc();
    const COLORREF c = erase ? ziBtnFace() : RGB(128, 128, 128);
    const int32_t l = tx_ - 1, t = ty_ - 1;
    const int32_t r = tx_ + textWidth() + 3, b = ty_ + textHeight() + 1;
    for (int32_t px = l; px <= r; ++px) {
        if (px % 2 == 0) {
            SetPixel(dc, px, t, c);
            SetPixel(dc, px, b, c);
        }
    }
    for (int32_t py = t; py <= b; ++py) {
        if (py % 2 == 0) {
            SetPixel(dc, l, py, c);
            SetPixel(dc, r, py, c);
        }
    }
}

void ziVisText3d::drawText()
{
    zDisplay* d = display();
    if (!d)
        return;
    eraseBox();
    ziAcquire hold(d);
    HDC dc = hold.dc();
    const std::string& s = stripMnemonic();
    const int n = int(s.size());
    if (grayed_) {
        GrayStringA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(s.c_str()), 0, tx_, ty_, 0, 0);
        return;
    }
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    if (hasMnemonic_ && mnemonicIndex_ < n) {
        const int32_t w1 = ziTextExtent(d, s.c_str(), mnemonicIndex_).cx;
        const int32_t w2 = ziTextExtent(d, s.c_str() + mnemonicIndex_, 1).cx;
        const int32_t ly = ty_ + textHeight() - 1;
        ziPenScope pen(d, RGB(0, 0, 0));
        ziLine(dc, tx_ + w1, ly, tx_ + w1 + w2 + 1, ly);
    }
    const zColor old = d->textColor(first_);
    if (!isNone(first_))
        TextOutA(dc, tx_, ty_, s.c_str(), n);
    if (!isNone(second_)) {
        d->textColor(second_);
        TextOutA(dc, tx_ + 2, ty_ + 2, s.c_str(), n);
    }
    d->textColor(kBlack);
    TextOutA(dc, tx_ + 1, ty_ + 1, s.c_str(), n);
    d->textColor(old);
    SetBkMode(dc, oldMode);
}
