#pragma once
// The borders the edit with buttons draws itself: the flat look and the
// styles of UseTarnelBorder.
#include <windows.h>

#include "classlib/Color.h"

enum TTarnelBorderStyle {
  tbsSunkenBorder,
  tbsRaisedBorder,
  tbsSunkenLine,
  tbsRaisedLine,
  tbsLine,
  tbsLineBorder,
  tbsSunkenSingle,
  tbsRaisedSingle,
  tbsNone
};

class TDCEditBorder {
 public:
  // A sunken or raised single edge.
  static bool Single(TTarnelBorderStyle style) {
    return style == tbsSunkenSingle || style == tbsRaisedSingle;
  }
  // Erases the standard 3-D look in the client area `all` and, unless the
  // edit looks flat, draws the style (tbsLine and tbsLineBorder in
  // `lineColor`).
  static void Draw(HDC dc, const RECT& all, TTarnelBorderStyle style, TColor lineColor,
                   bool looksFlat);
};
