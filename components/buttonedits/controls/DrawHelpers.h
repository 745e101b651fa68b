#pragma once
// Drawing helpers of the edits with buttons and their lists: glyphs with a
// transparent colour, filled text without flicker, texts with one bold
// section, colour ramps and expand/collapse buttons.
#include <windows.h>

#include <string>

#include "classlib/Canvas.h"
#include "classlib/Font.h"
#include "components/buttonedits/controls/RectAlign.h"

enum TLeftRightAlign { lrLeftJustify, lrRightJustify };

inline RECT ToRECT(const TRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline TRect FromRECT(const RECT& r) { return TRect{r.left, r.top, r.right, r.bottom}; }

// The size of one image of the system's check-box bitmap, measured once.
int DefaultCheckWidth();
int DefaultCheckHeight();

// The colour of the pixel at (left, bottom) of the rectangle.
COLORREF GetTransparentColor(HDC dc, const RECT& rect);
// Copies the source rectangle to (x, y) at its own size; pixels of the
// transparent colour leave the destination as it was.
void TransparentBitBlt(HDC source, HDC dest, const RECT& sourceRect, int x, int y, COLORREF transparent);
// The same into a destination rectangle of any size (stretched).
void TransparentBitBltEx(HDC source, HDC dest, const RECT& sourceRect, const RECT& destRect,
                         COLORREF transparent);

// Fills `outer` except `inner` with the canvas brush (four strips).
void FillRectEx(TCanvas& canvas, const RECT& outer, const RECT& inner);
// Draws the text placed by the format flags (DT_CENTER, DT_VCENTER,
// DT_BOTTOM) and fills the rest of the rectangle, in one pass.
void DrawTextWithFill(TCanvas& canvas, const std::string& text, UINT format, const RECT& rect);

// Width and height of a text whose bold section (between "~" markers) is
// measured in the bold font.
SIZE CalcStringSize(TCanvas& canvas, TFont& font, TFont& boldFont, const std::string& text);
// Width and height of a plain text in the canvas font.
SIZE GetStringExtent(TCanvas& canvas, const std::string& text);
// Draws the plain text in three parts, characters [start - 1, start - 1 +
// length) in the bold font (start as ExtractBoldPos gives it; 0: none),
// left or right aligned in the rectangle.
void DrawWithSelection(TCanvas& canvas, TFont& font, TFont& boldFont, const RECT& rect, const std::string& text,
                       int start, int length, TLeftRightAlign alignment);

// Fills width x height from the top left with a ramp from colour 1 to
// colour 2 (system colours resolved), left to right or top to bottom.
void FillGradient(TCanvas& canvas, int width, int height, TColor color1, TColor color2, bool horizontal);
// A push-button frame with a minus sign; collapsed adds the vertical stroke.
void PaintExpandCollapse(TCanvas& canvas, int x, int y, int size, int margin, bool expanded);
