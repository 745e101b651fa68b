#include "components/buttonedits/controls/ControlBackground.h"

#include "classlib/Exception.h"
#include "components/buttonedits/controls/DrawHelpers.h"

void TControlBackground::SetBackground(const TBitmap& picture) {
  if (&picture != &FBackground) {
    auto& p = const_cast<TBitmap&>(picture);
    FBackground.SetSize(p.Width(), p.Height());
    if (!p.Empty())
      BitBlt(FBackground.Canvas().Handle(), 0, 0, p.Width(), p.Height(), p.Canvas().Handle(), 0, 0, SRCCOPY);
  }
  BackgroundChanged();
}

void TControlBackground::SetBkgndOption(TBkgndOption v) {
  FBkgndOption = v;
  BackgroundChanged();
}

void TControlBackground::SetGradientBeginColor(TColor c) {
  FBegin = c;
  BackgroundChanged();
}

void TControlBackground::SetGradientEndColor(TColor c) {
  FEnd = c;
  BackgroundChanged();
}

void TControlBackground::Assign(const TPersistent& source) {
  auto* other = dynamic_cast<const TControlBackground*>(&source);
  if (!other) return TPersistent::Assign(source);
  FBkgndOption = other->FBkgndOption;
  FBegin = other->FBegin;
  FEnd = other->FEnd;
  SetBackground(other->FBackground);
}

bool TControlBackground::NeedPaint(const RECT& r) const {
  return BackgroundNeedsPaint(FBkgndOption, IsRectEmpty(&r) != FALSE, FBackground.Empty());
}

void TControlBackground::PaintBackground(TCanvas& canvas, const RECT& r) {
  if (!NeedPaint(r)) return;
  HDC dc = canvas.Handle();
  int w = r.right - r.left, h = r.bottom - r.top;
  int bw = FBackground.Width(), bh = FBackground.Height();
  HDC src = FBackground.Empty() ? nullptr : FBackground.Canvas().Handle();
  switch (FBkgndOption) {
    case boStretch:
      SetStretchBltMode(dc, COLORONCOLOR);
      StretchBlt(dc, r.left, r.top, w, h, src, 0, 0, bw, bh, SRCCOPY);
      break;
    case boCenter:
      BitBlt(dc, r.left + (w - bw) / 2, r.top + (h - bh) / 2, bw, bh, src, 0, 0, SRCCOPY);
      break;
    case boTile:
      if (bw > 0 && bh > 0)
        for (int y = r.top; y < r.bottom; y += bh)
          for (int x = r.left; x < r.right; x += bw) BitBlt(dc, x, y, bw, bh, src, 0, 0, SRCCOPY);
      break;
    case boHorzGradient:
    case boVertGradient: {
      int saved = SaveDC(dc);
      SetViewportOrgEx(dc, r.left, r.top, nullptr);
      FillGradient(canvas, w, h, FBegin, FEnd, FBkgndOption == boHorzGradient);
      RestoreDC(dc, saved);
      break;
    }
    default:
      break;
  }
}
