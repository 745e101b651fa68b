#include "components/buttonedits/controls/DrawHelpers.h"

#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"
#include "components/buttonedits/controls/BkgndOption.h"
#include "components/buttonedits/controls/TextMarkup.h"

namespace {

SIZE checkSize() {
  static SIZE size{};
  if (size.cx == 0) {
    const TGdiHandle<HBITMAP> bmp(LoadBitmapA(nullptr, MAKEINTRESOURCEA(32759)));
    BITMAP info{};
    if (bmp && GetObjectA(bmp, sizeof info, &info)) size = SIZE{info.bmWidth / 4, info.bmHeight / 3};
    if (size.cx == 0) size = SIZE{13, 13};
  }
  return size;
}

// Selects `font` into the canvas's context and returns the size of `text`.
SIZE measure(HDC dc, TFont& font, const std::string& text) {
  TSelectedObject useFont(dc, font.Handle());
  SIZE s{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &s);
  return s;
}

}  // namespace

int DefaultCheckWidth() { return checkSize().cx; }
int DefaultCheckHeight() { return checkSize().cy; }

COLORREF GetTransparentColor(HDC dc, const RECT& r) { return GetPixel(dc, r.left, r.bottom); }

void TransparentBitBlt(HDC source, HDC dest, const RECT& s, int x, int y, COLORREF transparent) {
  RECT d{x, y, x + (s.right - s.left), y + (s.bottom - s.top)};
  TransparentBitBltEx(source, dest, s, d, transparent);
}

void TransparentBitBltEx(HDC source, HDC dest, const RECT& s, const RECT& d, COLORREF transparent) {
  int sw = s.right - s.left, sh = s.bottom - s.top;
  int dw = d.right - d.left, dh = d.bottom - d.top;
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  // The mask: 1 where the source has the transparent colour.
  const TGdiHandle<HDC> maskDc(CreateCompatibleDC(source));
  const TGdiHandle<HBITMAP> mask(CreateBitmap(sw, sh, 1, 1, nullptr));
  TSelectedObject useMask(maskDc, mask);
  COLORREF oldBack = SetBkColor(source, transparent);
  BitBlt(maskDc, 0, 0, sw, sh, source, s.left, s.top, SRCCOPY);
  SetBkColor(source, oldBack);
  if (sw == dw && sh == dh) {
    // Mask bit 0 (opaque): source; bit 1 (transparent): destination.
    MaskBlt(dest, d.left, d.top, dw, dh, source, s.left, s.top, mask, 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
  } else {
    // The source with its transparent pixels black, then the destination
    // cut out where the source is opaque, both stretched.
    const TGdiHandle<HDC> tmpDc(CreateCompatibleDC(dest));
    const TGdiHandle<HBITMAP> tmp(CreateCompatibleBitmap(dest, sw, sh));
    TSelectedObject useTmp(tmpDc, tmp);
    COLORREF oldText = SetTextColor(tmpDc, RGB(0, 0, 0));
    COLORREF oldTmpBack = SetBkColor(tmpDc, RGB(255, 255, 255));
    BitBlt(tmpDc, 0, 0, sw, sh, maskDc, 0, 0, SRCCOPY);
    BitBlt(tmpDc, 0, 0, sw, sh, source, s.left, s.top, SRCERASE);
    SetTextColor(tmpDc, oldText);
    SetBkColor(tmpDc, oldTmpBack);
    COLORREF dText = SetTextColor(dest, RGB(0, 0, 0));
    COLORREF dBack = SetBkColor(dest, RGB(255, 255, 255));
    int oldMode = SetStretchBltMode(dest, COLORONCOLOR);
    StretchBlt(dest, d.left, d.top, dw, dh, maskDc, 0, 0, sw, sh, SRCAND);
    StretchBlt(dest, d.left, d.top, dw, dh, tmpDc, 0, 0, sw, sh, SRCINVERT);
    SetStretchBltMode(dest, oldMode);
    SetTextColor(dest, dText);
    SetBkColor(dest, dBack);
  }
}

void FillRectEx(TCanvas& canvas, const RECT& outer, const RECT& inner) {
  for (const TRect& strip : RectStrips(FromRECT(outer), FromRECT(inner)))
    if (RectWidth(strip) > 0 && RectHeight(strip) > 0) canvas.FillRect(ToRECT(strip));
}

void DrawTextWithFill(TCanvas& canvas, const std::string& text, UINT format, const RECT& rect) {
  RECT calc{0, 0, rect.right - rect.left, 0};
  HDC dc = canvas.Handle();
  RECT place;
  {
    TSelectedObject useFont(dc, canvas.Font.Handle());
    if (!text.empty())
      DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &calc, format | DT_CALCRECT);
    else
      calc = RECT{0, 0, 0, 0};
    place = ToRECT(PlaceTextRect(FromRECT(rect), calc.right - calc.left, calc.bottom - calc.top, format));
    if (!text.empty()) {
      SetTextColor(dc, ColorToRGB(canvas.Font.Color()));
      SetBkColor(dc, ColorToRGB(canvas.Brush.Color()));
      SetBkMode(dc, OPAQUE);
      ExtTextOutA(dc, place.left, place.top, ETO_OPAQUE | ETO_CLIPPED, &place, nullptr, 0, nullptr);
      DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &place,
                (format & ~(DT_CENTER | DT_VCENTER | DT_BOTTOM)) | DT_NOCLIP);
    }
  }
  FillRectEx(canvas, rect, place);
}

SIZE CalcStringSize(TCanvas& canvas, TFont& font, TFont& boldFont, const std::string& text) {
  int32_t start = 0, length = 0;
  std::string plain = ExtractBoldPos(text, start, length);
  HDC dc = canvas.Handle();
  if (start == 0) return measure(dc, font, plain);
  size_t b = static_cast<size_t>(start - 1);
  SIZE a = measure(dc, font, plain.substr(0, b));
  SIZE m = measure(dc, boldFont, plain.substr(b, static_cast<size_t>(length)));
  SIZE e = measure(dc, font, plain.substr(b + static_cast<size_t>(length)));
  SIZE out{a.cx + m.cx + e.cx, std::max({a.cy, m.cy, e.cy})};
  return out;
}

SIZE GetStringExtent(TCanvas& canvas, const std::string& text) {
  return measure(canvas.Handle(), canvas.Font, text);
}

void DrawWithSelection(TCanvas& canvas, TFont& font, TFont& boldFont, const RECT& rect, const std::string& text,
                       int start, int length, TLeftRightAlign alignment) {
  HDC dc = canvas.Handle();
  std::string parts[3];
  if (start <= 0) {
    parts[0] = text;
  } else {
    size_t b = std::min(static_cast<size_t>(start - 1), text.size());
    parts[0] = text.substr(0, b);
    parts[1] = text.substr(b, static_cast<size_t>(std::max(length, 0)));
    parts[2] = b + static_cast<size_t>(std::max(length, 0)) < text.size()
                   ? text.substr(b + static_cast<size_t>(std::max(length, 0)))
                   : std::string();
  }
  TFont* fonts[3] = {&font, &boldFont, &font};
  int total = 0;
  for (int i = 0; i < 3; ++i) total += measure(dc, *fonts[i], parts[i]).cx;
  int x = alignment == lrRightJustify ? rect.right - total : rect.left;
  int mode = SetBkMode(dc, TRANSPARENT);
  COLORREF color = SetTextColor(dc, ColorToRGB(canvas.Font.Color()));
  for (int i = 0; i < 3; ++i) {
    if (parts[i].empty()) continue;
    TSelectedObject useFont(dc, fonts[i]->Handle());
    RECT clip = rect;
    ExtTextOutA(dc, x, rect.top, ETO_CLIPPED, &clip, parts[i].c_str(), static_cast<UINT>(parts[i].size()), nullptr);
    SIZE s{};
    GetTextExtentPoint32A(dc, parts[i].c_str(), static_cast<int>(parts[i].size()), &s);
    x += s.cx;
  }
  SetTextColor(dc, color);
  SetBkMode(dc, mode);
}

void FillGradient(TCanvas& canvas, int width, int height, TColor color1, TColor color2, bool horizontal) {
  if (width <= 0 || height <= 0) return;
  std::vector<uint32_t> ramp = GradientColors(ColorToRGB(color1), ColorToRGB(color2));
  int span = horizontal ? width : height;
  int steps = static_cast<int>(ramp.size());
  HDC dc = canvas.Handle();
  for (int i = 0; i < steps; ++i) {
    int a = span * i / steps, b = span * (i + 1) / steps;
    if (b <= a) continue;
    RECT r = horizontal ? RECT{a, 0, b, height} : RECT{0, a, width, b};
    FillRect(dc, &r, TGdiHandle<HBRUSH>(CreateSolidBrush(ramp[static_cast<size_t>(i)])));
  }
}

void PaintExpandCollapse(TCanvas& canvas, int x, int y, int size, int margin, bool expanded) {
  HDC dc = canvas.Handle();
  RECT r{x, y, x + size, y + size};
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
  const TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  TSelectedObject usePen(dc, pen);
  int mid = size / 2;
  MoveToEx(dc, x + margin, y + mid, nullptr);
  LineTo(dc, x + size - margin, y + mid);
  if (!expanded) {
    MoveToEx(dc, x + mid, y + margin, nullptr);
    LineTo(dc, x + mid, y + size - margin);
  }
}
