#pragma once
// The names of the brush and pen styles that the brush and pen edits and
// their lists show. A brush style's text is "bs" + its name, a pen style's
// text is its name.
#include "classlib/AnsiString.h"

#include <cstdint>

// Brush styles in their order: bsSolid, bsClear, bsHorizontal,
// bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross.
inline constexpr int32_t kBrushStyleCount = 8;
// "Solid", "Clear", "Horizontal", ...
const char* BrushStyleName(int32_t style);
// "bs" + the name; empty outside 0..7.
AnsiString BrushStyleText(int32_t style);
// The style whose text equals `text` (compared without case); -1 for none.
int32_t BrushStyleFromText(const AnsiString& text);

// Pen styles psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear,
// psInsideFrame; their numbers are those of the system's pen styles.
inline constexpr int32_t kPenStyleCount = 7;
// "psSolid", ...; empty outside 0..6.
AnsiString PenStyleText(int32_t style);
int32_t PenStyleFromText(const AnsiString& text);
