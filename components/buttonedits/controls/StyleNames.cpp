#include "components/buttonedits/controls/StyleNames.h"

namespace {

constexpr const char* kBrushNames[kBrushStyleCount] = {"Solid",     "Clear",     "Horizontal", "Vertical",
                                                       "FDiagonal", "BDiagonal", "Cross",      "DiagCross"};
constexpr const char* kPenNames[kPenStyleCount] = {"psSolid",      "psDash",  "psDot",        "psDashDot",
                                                   "psDashDotDot", "psClear", "psInsideFrame"};

}  // namespace

const char* BrushStyleName(int32_t style) {
  return style >= 0 && style < kBrushStyleCount ? kBrushNames[style] : "";
}

AnsiString BrushStyleText(int32_t style) {
  return style >= 0 && style < kBrushStyleCount ? AnsiString("bs") + kBrushNames[style] : AnsiString();
}

int32_t BrushStyleFromText(const AnsiString& text) {
  for (int32_t i = 0; i < kBrushStyleCount; ++i)
    if (AnsiCompareText(text, BrushStyleText(i)) == 0) return i;
  return -1;
}

AnsiString PenStyleText(int32_t style) {
  return style >= 0 && style < kPenStyleCount ? AnsiString(kPenNames[style]) : AnsiString();
}

int32_t PenStyleFromText(const AnsiString& text) {
  for (int32_t i = 0; i < kPenStyleCount; ++i)
    if (AnsiCompareText(text, kPenNames[i]) == 0) return i;
  return -1;
}
