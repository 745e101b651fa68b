#include "components/edits/AdvEditPainter.h"

#include <utility>

#include "classlib/SelectedObject.h"

TAdvEditPainter::~TAdvEditPainter() = default;

void TAdvEditPainter::PaintExtras(HWND edit, HFONT font, const AnsiString& text,
                                  const AnsiString& hint, UINT align, int from, int length,
                                  TColor waveColor) {
  if (hint.empty() && length <= 0) return;
  HDC dc = GetDC(edit);
  {
    TSelectedObject useFont(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    if (!hint.empty()) DrawHint(dc, edit, hint, align);
    if (length > 0) DrawWave(dc, edit, tm, text, from, length, waveColor);
  }
  ReleaseDC(edit, dc);
}

void TAdvEditPainter::DrawHint(HDC dc, HWND edit, const AnsiString& hint, UINT align) {
  RECT r;
  GetClientRect(edit, &r);
  DWORD margins = static_cast<DWORD>(SendMessageA(edit, EM_GETMARGINS, 0, 0));
  r.left += LOWORD(margins) + 1;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(clGrayText));
  DrawTextA(dc, hint.c_str(), static_cast<int>(hint.size()), &r,
            DT_SINGLELINE | DT_NOPREFIX | align);
}

void TAdvEditPainter::DrawWave(HDC dc, HWND edit, const TEXTMETRICA& tm, const AnsiString& text,
                               int from, int length, TColor color) {
  int len = static_cast<int>(text.size());
  int to = from + length;
  if (from < 0) from = 0;
  if (to > len) to = len;
  if (from >= to) return;
  auto xOf = [&](int i) -> int {
    if (i < len) return static_cast<short>(LOWORD(SendMessageA(edit, EM_POSFROMCHAR, i, 0)));
    // The end of the text: after the last character.
    LRESULT last = SendMessageA(edit, EM_POSFROMCHAR, len - 1, 0);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str() + len - 1, 1, &size);
    return static_cast<short>(LOWORD(last)) + size.cx;
  };
  int x0 = xOf(from), x1 = xOf(to);
  int y = static_cast<short>(HIWORD(SendMessageA(edit, EM_POSFROMCHAR, from, 0))) + tm.tmAscent + 1;
  TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(color)));
  TSelectedObject usePen(dc, pen);
  MoveToEx(dc, x0, y + 2, nullptr);
  for (int x = x0, k = 0; x < x1; ++k) {
    x += 2;
    LineTo(dc, x > x1 ? x1 : x, (k % 2 == 0) ? y : y + 2);
  }
}

HBRUSH TAdvEditPainter::ParentBackgroundBrush(HWND edit, HWND parent) {
  RECT r;
  GetClientRect(edit, &r);
  int w = r.right > 0 ? r.right : 1, h = r.bottom > 0 ? r.bottom : 1;
  POINT origin{0, 0};
  MapWindowPoints(edit, parent, &origin, 1);
  HDC screen = GetDC(edit);
  TGdiHandle<HBITMAP> bitmap(CreateCompatibleBitmap(screen, w, h));
  {
    TGdiHandle<HDC> mem(CreateCompatibleDC(screen));
    ReleaseDC(edit, screen);
    if (!mem || !bitmap) return nullptr;
    TSelectedObject useBitmap(mem, bitmap);
    SetViewportOrgEx(mem, -origin.x, -origin.y, nullptr);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem.get()), 0);
  }
  TGdiHandle<HBRUSH> brush(CreatePatternBrush(bitmap));
  if (!brush) return nullptr;
  FParentBrush = std::move(brush);
  FParentBitmap = std::move(bitmap);
  return FParentBrush;
}
