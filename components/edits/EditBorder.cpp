#include "components/edits/EditBorder.h"

#include "classlib/GdiHandle.h"

bool TEditBorder::Custom(bool focused, bool enabled) const {
  if (!enabled && !DisabledBorder) return true;
  if (focused && FocusBorderColor != clNone) return true;
  if (Flat && !(focused && FocusBorder)) return true;
  return SoftBorder;
}

void TEditBorder::Paint(HWND window, bool focused, bool enabled, TColor background) const {
  if (!Custom(focused, enabled)) return;
  RECT wr, cr;
  GetWindowRect(window, &wr);
  GetClientRect(window, &cr);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  RECT frame{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  RECT client{origin.x - wr.left, origin.y - wr.top, origin.x - wr.left + cr.right,
              origin.y - wr.top + cr.bottom};
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  // The frame first in the background colour, then the lines of the look.
  FillRect(dc, &frame, TGdiHandle<HBRUSH>(CreateSolidBrush(ColorToRGB(background))));
  auto frameIn = [&](TColor c) { FrameRect(dc, &frame, TGdiHandle<HBRUSH>(CreateSolidBrush(ColorToRGB(c)))); };
  if (!enabled && !DisabledBorder) {
    // nothing more: a borderless disabled field
  } else if (focused && FocusBorderColor != clNone) {
    frameIn(FocusBorderColor);
  } else if (Flat && !(focused && FocusBorder)) {
    RECT line{frame.left, frame.bottom - 1, frame.right, frame.bottom};
    FillRect(dc, &line, TGdiHandle<HBRUSH>(CreateSolidBrush(ColorToRGB(FlatLineColor))));
  } else {
    frameIn(clBtnShadow);
  }
  ReleaseDC(window, dc);
}

void TEditBorder::Refresh(HWND window) {
  if (window) RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}
