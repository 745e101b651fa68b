#include "components/buttonedits/DCEditBorder.h"

#include "classlib/GdiHandle.h"

void TDCEditBorder::Draw(HDC dc, const RECT& all, TTarnelBorderStyle style, TColor lineColor,
                         bool looksFlat) {
  const int w = all.right, h = all.bottom;
  auto fill = [dc](const RECT& rc, TColor color) {
    TGdiHandle<HBRUSH> b(CreateSolidBrush(ColorToRGB(color)));
    FillRect(dc, &rc, b);
  };
  auto frame = [&](const RECT& rc, TColor color) {
    TGdiHandle<HBRUSH> b(CreateSolidBrush(ColorToRGB(color)));
    FrameRect(dc, &rc, b);
  };
  // The standard 3-D look is erased first.
  frame(all, clBtnFace);
  frame(RECT{1, 1, w, h}, clBtnFace);
  fill(RECT{0, h - 1, 1, h}, clBtnFace);
  fill(RECT{w - 1, 0, w, 1}, clBtnFace);
  if (looksFlat) return;

  const bool raised = style == tbsRaisedBorder || style == tbsRaisedLine;
  const TColor top = raised ? clBtnHighlight : clBtnShadow;
  const TColor bottom = raised ? clBtnShadow : clBtnHighlight;
  switch (style) {
    case tbsSunkenLine:
    case tbsRaisedLine:
      fill(RECT{0, h - 2, w, h - 1}, top);
      fill(RECT{0, h - 1, w, h}, bottom);
      break;
    case tbsLine:
      fill(RECT{0, h - 1, w, h}, lineColor);
      break;
    case tbsLineBorder:
      frame(all, lineColor);
      break;
    case tbsNone:
      break;
    case tbsSunkenSingle:
    case tbsRaisedSingle: {
      RECT edge = all;
      DrawEdge(dc, &edge, style == tbsSunkenSingle ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
      break;
    }
    default:
      // Bottom and right edge in the bottom colour, top and left in the top
      // colour: a hovered or focused flat edit looks sunken.
      fill(RECT{0, h - 1, w, h}, bottom);
      fill(RECT{w - 1, 0, w, h}, bottom);
      fill(RECT{0, 0, w, 1}, top);
      fill(RECT{0, 0, 1, h}, top);
      break;
  }
}
