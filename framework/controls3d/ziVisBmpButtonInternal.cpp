#include "framework/controls3d/ziVisBmpButtonInternal.h"

#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"
#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/controls3d/ziVisText3dBmp.h"
#include "framework/core/zBitmap.h"
#include "framework/core/zDisplay.h"

#include <vector>

ziVisBmpButtonInternal::ziVisBmpButtonInternal(ziCompound* parent, zSizer* sizer, uint32_t flags,
                                               const char*, int32_t id, zBitmap* bitmap,
                                               int32_t imageCount)
    : ziVisButton(parent, sizer, id), flags_(flags), buttonId_(id), bitmap_(bitmap),
      imageCount_(imageCount > 0 ? imageCount : 1)
{
    style_ = flags;
    state_ = 1;
    prepareImage();
}

ziVisBmpButtonInternal::~ziVisBmpButtonInternal()
{
    if (imageDC_) {
        SelectObject(imageDC_, imageOld_);
        DeleteDC(imageDC_);
    }
    if (image_)
        DeleteObject(image_);
    delete bitmap_;
}

void ziVisBmpButtonInternal::prepareImage()
{
    if (!bitmap_ || !bitmap_->bitmap())
        return;
    const SIZE s = bitmap_->size();
    if (s.cx <= 0 || s.cy <= 0)
        return;
    imageWidth_ = s.cx / imageCount_;
    imageHeight_ = s.cy;

    // The image is kept in the screen's format, the format of the window it
    // is drawn on.
    HDC screen = zDisplay::screenDC();
    imageDC_ = CreateCompatibleDC(screen);
    image_ = CreateCompatibleBitmap(screen, s.cx, s.cy);
    if (!imageDC_ || !image_)
        return;
    // The pixels go from the bitmap to the image through one 32-bit top-down
    // copy with 0x00RRGGBB pixels, in which the transparent colour (the top
    // left pixel's) becomes the face colour: a pass over memory, not a call
    // per pixel, which costs milliseconds per button under Wine.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = s.cx;
    info.bmiHeader.biHeight = -s.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(size_t(s.cx) * size_t(s.cy));
    if (GetDIBits(screen, bitmap_->bitmap(), 0, UINT(s.cy), pixels.data(), &info, DIB_RGB_COLORS) == s.cy) {
        const uint32_t from = pixels[0] & 0xFFFFFFu;
        transparent_ = RGB(from >> 16 & 0xFF, from >> 8 & 0xFF, from & 0xFF);
        const COLORREF face = ziBtnFace();
        if (transparent_ != face) {
            const uint32_t to = uint32_t(GetRValue(face)) << 16 | uint32_t(GetGValue(face)) << 8 | GetBValue(face);
            for (uint32_t& p : pixels)
                if ((p & 0xFFFFFFu) == from)
                    p = to;
        }
        SetDIBits(screen, image_, 0, UINT(s.cy), pixels.data(), &info, DIB_RGB_COLORS);
        imageOld_ = SelectObject(imageDC_, image_);
        return;
    }
    // A bitmap whose pixels cannot be read is shown as it is.
    imageOld_ = SelectObject(imageDC_, image_);
    {
        const TGdiHandle<HDC> src(CreateCompatibleDC(imageDC_));
        TSelectedObject useBitmap(src, bitmap_->bitmap());
        BitBlt(imageDC_, 0, 0, s.cx, s.cy, src, 0, 0, SRCCOPY);
    }
    transparent_ = GetPixel(imageDC_, 0, 0);
}

bool ziVisBmpButtonInternal::isGrayed() const
{
    return grayed_ || (flags_ & WS_DISABLED);
}

int32_t ziVisBmpButtonInternal::clearLook() const { return isGrayed() ? 1 : 0; }
int32_t ziVisBmpButtonInternal::setLook() const { return isGrayed() ? 5 : 4; }

void ziVisBmpButtonInternal::paintFace(int32_t frameStyle, int32_t image, int32_t offset)
{
    zDisplay* d = display();
    if (!d)
        return;
    ziAcquire hold(d);
    HDC dc = hold.dc();
    const zRect me = rect();
    {
        RECT all{me.left, me.top, me.right, me.bottom};
        FillRect(dc, &all, TGdiHandle<HBRUSH>(CreateSolidBrush(ziBtnFace())));
    }
    const int32_t in = (flags_ & FocusFrame) ? 2 : 1;
    const int32_t l = me.left + in, t = me.top + in;
    const int32_t r = me.right - 1 - in, b = me.bottom - 1 - in;
    const COLORREF white = RGB(255, 255, 255), grey = RGB(128, 128, 128);
    if (frameStyle == 1) {
        ziPenScope black(d, RGB(0, 0, 0));
        ziLine(dc, l, b, l, t);
        LineTo(dc, r, t);
        LineTo(dc, r, b);
        LineTo(dc, l, b);
        ziPenScope shade(d, grey);
        ziLine(dc, l + 1, b - 1, l + 1, t + 1);
        LineTo(dc, r - 1, t + 1);
    } else {
        const bool raised = frameStyle == 0;
        {
            ziPenScope tl(d, raised ? white : grey);
            ziLine(dc, l, b, l, t);
            LineTo(dc, r, t);
        }
        {
            ziPenScope br(d, raised ? grey : white);
            ziLine(dc, r, t, r, b);
            LineTo(dc, l - 1, b);
        }
    }

    lastImage_ = -1;
    if (imageDC_ && imageWidth_ > 0) {
        const int32_t n = imageCount_ == 1 ? 0 : image;
        if (n >= 0 && n < imageCount_) {
            imagePos_.x = me.left + (me.width() - imageWidth_) / 2;
            imagePos_.y = me.top + (me.height() - imageHeight_) / 2;
            BitBlt(dc, imagePos_.x + offset, imagePos_.y + offset, imageWidth_, imageHeight_,
                   imageDC_, n * imageWidth_, 0, SRCCOPY);
            lastImage_ = n;
        }
    }
    if ((flags_ & FocusFrame) && hasFocus_) {
        RECT f{me.left + 3, me.top + 3, me.right - 3, me.bottom - 3};
        DrawFocusRect(dc, &f);
    }
    auto* compound = dynamic_cast<ziControlCompound*>(parent_);
    auto* caption = compound ? dynamic_cast<ziVisText3dBmp*>(compound->caption()) : nullptr;
    if (caption && !caption->stripMnemonic().empty()) {
        caption->setImageRight(lastImage_ >= 0 ? imagePos_.x + imageWidth_ : -1, offset);
        caption->draw(nullptr);
    }
}

void ziVisBmpButtonInternal::showClear()
{
    state_ = 1;
    paintFace(0, clearLook(), 0);
}

void ziVisBmpButtonInternal::showSet()
{
    if (!(flags_ & Toggles)) {
        showClear();
        return;
    }
    state_ = 0;
    const uint32_t kind = flags_ & KindMask;
    paintFace(3, kind == 0x20 || kind == 0x30 ? setLook() : clearLook(), 0);
}

void ziVisBmpButtonInternal::press()
{
    const bool toggles = (flags_ & Toggles) != 0;
    // A repaint while held down keeps the held state it had.
    if (toggles)
        state_ = state_ == 0 || state_ == 2 ? 2 : 3;
    else
        state_ = 3;
    const int32_t offset = (flags_ & FixedImage) ? 0 : 1;
    const uint32_t kind = flags_ & KindMask;
    int32_t look = clearLook();
    if (toggles) {
        if (kind == 0x10 || kind == 0x20)
            look = state_ == 2 ? 3 : 2;
        else if (kind == 0x30)
            look = state_ == 2 ? setLook() : clearLook();
    } else if (kind == 0x10 || kind == 0x20) {
        look = 2;
    }
    paintFace(1, look, offset);
}

void ziVisBmpButtonInternal::showPressedClear()
{
    state_ = 3;
    press();
}

void ziVisBmpButtonInternal::clickAction()
{
    if ((flags_ & Toggles) && state_ == 3)
        showSet();
    else if (!(flags_ & Toggles) || state_ == 2)
        showClear();
}

void ziVisBmpButtonInternal::focusChanged(int32_t focused) { hasFocus_ = focused; }
