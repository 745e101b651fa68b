#include "classlib/Image.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  FWidth = 105;
  FHeight = 105;
}

void TImage::SetStretch(bool v) {
  FStretch = v;
  Invalidate();
}

void TImage::SetCenter(bool v) {
  FCenter = v;
  Invalidate();
}

void TImage::PaintOn(HDC dc) {
  if (FPicture.Empty()) return;
  HDC src = FPicture.Canvas().Handle();
  if (FStretch) {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, FWidth, FHeight, src, 0, 0, FPicture.Width(), FPicture.Height(), SRCCOPY);
    return;
  }
  int x = FCenter ? (FWidth - FPicture.Width()) / 2 : 0;
  int y = FCenter ? (FHeight - FPicture.Height()) / 2 : 0;
  BitBlt(dc, x, y, FPicture.Width(), FPicture.Height(), src, 0, 0, SRCCOPY);
}
