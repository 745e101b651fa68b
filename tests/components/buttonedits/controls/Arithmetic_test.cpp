// Rectangle alignment, text markup, colour and style names and the popup
// arithmetic of the button-edit controls.
#include <gtest/gtest.h>

#include "classlib/Exception.h"
#include "components/buttonedits/controls/BkgndOption.h"
#include "components/buttonedits/controls/ColorNames.h"
#include "components/buttonedits/controls/PopupMetrics.h"
#include "components/buttonedits/controls/RectAlign.h"
#include "components/buttonedits/controls/StyleNames.h"
#include "components/buttonedits/controls/TextMarkup.h"

#include <string>
#include <vector>

namespace {

TEST(RectAlign, AlignsInsideTheBoundsWithMargins) {
  const TRect bounds{10, 20, 110, 70};  // 100 x 50
  struct Case {
    TRect rect;
    THorzAlignment h;
    TVertAlignment v;
    int32_t hm, vm;
    TRect want;
  } cases[] = {
      {{0, 0, 30, 10}, haLeft, vaLeft, 0, 0, {10, 20, 40, 30}},
      {{0, 0, 30, 10}, haRight, vaRight, 0, 0, {80, 60, 110, 70}},
      {{0, 0, 30, 10}, haCenter, vaCenter, 0, 0, {45, 40, 75, 50}},
      {{0, 0, 30, 10}, haNone, vaNone, 5, 5, bounds},
      // Wider than the bounds: the far edge stops margin short of the end,
      // the start edge margin inside the start.
      {{0, 0, 300, 10}, haLeft, vaNone, 4, 0, {10, 20, 106, 70}},
      {{0, 0, 300, 10}, haRight, vaNone, 4, 0, {14, 20, 110, 70}},
      {{0, 0, 30, 200}, haNone, vaRight, 0, 3, {10, 23, 110, 70}},
  };
  for (const Case& c : cases) {
    TRect r = AlignRectByRect(c.rect, bounds, c.h, c.v, c.hm, c.vm);
    EXPECT_EQ(r, c.want) << c.h << "/" << c.v << " -> " << r.left << "," << r.top << "," << r.right << ","
                         << r.bottom;
  }
}

TEST(RectAlign, CorrectMovesIntoTheBoundsAndClipsWhatStillSticksOut) {
  const TRect b{0, 0, 100, 100};
  struct Case {
    TRect in, want;
  } cases[] = {
      {{-10, -5, 20, 15}, {0, 0, 30, 20}},
      {{90, 95, 120, 110}, {70, 85, 100, 100}},
      {{-10, 10, 150, 20}, {0, 10, 100, 20}},
      {{10, 10, 20, 20}, {10, 10, 20, 20}},
  };
  for (const Case& c : cases) {
    TRect r = c.in;
    CorrectRectByRect(r, b);
    EXPECT_EQ(r, c.want);
  }
}

TEST(RectAlign, StripsAroundAnInnerRectangleAndTextPlacement) {
  auto strips = RectStrips({0, 0, 100, 40}, {10, 5, 60, 25});
  EXPECT_EQ(strips[0], (TRect{0, 0, 10, 40}));
  EXPECT_EQ(strips[1], (TRect{60, 0, 100, 40}));
  EXPECT_EQ(strips[2], (TRect{10, 0, 60, 5}));
  EXPECT_EQ(strips[3], (TRect{10, 25, 60, 40}));
  // An empty inner rectangle leaves the whole outer one to the strips.
  int32_t area = 0;
  for (const TRect& s : RectStrips({0, 0, 100, 40}, {0, 0, 0, 0})) area += RectWidth(s) * RectHeight(s);
  EXPECT_EQ(area, 100 * 40);

  const TRect r{0, 0, 100, 40};
  EXPECT_EQ(PlaceTextRect(r, 20, 10, 0), (TRect{0, 0, 20, 10}));
  EXPECT_EQ(PlaceTextRect(r, 20, 10, kDtCenter | kDtVCenter), (TRect{40, 15, 60, 25}));
  EXPECT_EQ(PlaceTextRect(r, 20, 10, kDtBottom), (TRect{0, 30, 20, 40}));
  EXPECT_EQ(PlaceTextRect(r, 200, 10, kDtCenter), (TRect{0, 0, 100, 10})) << "clipped to the rectangle";
}

TEST(TextMarkup, BoldSectionBetweenTheFirstTwoMarkers) {
  struct Case {
    const char* text;
    const char* plain;
    int32_t start, length;
  } cases[] = {
      {"ab~cd~ef", "abcdef", 3, 2},
      {"abc", "abc", 0, 0},
      {"ab~cdef", "abcdef", 3, 4},
      {"~ab~c~d", "abc~d", 1, 2},
      {"~~", "", 1, 0},
      {"", "", 0, 0},
  };
  for (const Case& c : cases) {
    int32_t start = -1, length = -1;
    EXPECT_EQ(ExtractBoldPos(c.text, start, length), c.plain) << c.text;
    EXPECT_EQ(start, c.start) << c.text;
    EXPECT_EQ(length, c.length) << c.text;
  }
}

TEST(TextMarkup, ColumnsSplitAtBars) {
  auto columns = [](const std::string& text) {
    std::vector<std::string> out;
    size_t pos = 0;
    while (pos < text.size()) out.push_back(ExtractColumn(text, pos));
    return out;
  };
  EXPECT_EQ(columns("a|bc|d"), (std::vector<std::string>{"a", "bc", "d"}));
  EXPECT_EQ(columns("a||b"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(columns("a|"), (std::vector<std::string>{"a"}));
  // Without a bar: the rest of the text, the position past its end.
  size_t pos = 2;
  EXPECT_EQ(ExtractColumn("abcdef", pos), "cdef");
  EXPECT_EQ(pos, 6u);
  EXPECT_EQ(ExtractColumn("abcdef", pos), "");
}

TEST(TextMarkup, CheckEditorTexts) {
  for (const char* on : {"yes", "True", "t", "Y", "TRUE"}) EXPECT_TRUE(CheckTextIsOn(on)) << on;
  for (const char* off : {"", "x", "no", "False", " true"}) EXPECT_FALSE(CheckTextIsOn(off)) << off;
  EXPECT_STREQ(CheckStateText(true), "True");
  EXPECT_STREQ(CheckStateText(false), "False");
}

TEST(ColorNames, FortyTwoEntriesEndingWithNone) {
  const TColorName* list = ColorList();
  EXPECT_STREQ(list[0].Name, "clBlack");
  EXPECT_STREQ(list[15].Name, "clWhite");
  EXPECT_STREQ(list[16].Name, "clScrollBar");
  EXPECT_EQ(list[16].Value, static_cast<TColorValue>(0x80000000u));
  EXPECT_STREQ(list[40].Name, "clInfoBk");
  EXPECT_EQ(list[40].Value, static_cast<TColorValue>(0x80000018u));
  EXPECT_STREQ(list[kColorListCount - 1].Name, "clNone");
  // The system colours follow their index.
  for (int i = 0; i < 25; ++i) EXPECT_EQ(list[16 + i].Value, static_cast<TColorValue>(0x80000000u | i));
}

TEST(ColorNames, TextConversionsBothWays) {
  EXPECT_EQ(ColorToString(0xFF0000), "clBlue");
  EXPECT_EQ(ColorToString(0x123456), "$00123456");
  EXPECT_EQ(StringToColor("clBlue"), 0xFF0000);
  EXPECT_EQ(StringToColor("CLRED"), 0x0000FF);
  EXPECT_EQ(StringToColor("$00123456"), 0x123456);
  EXPECT_EQ(StringToColor("255"), 255);
  EXPECT_EQ(StringToColor(ColorToString(static_cast<TColorValue>(0x80000010u))), static_cast<TColorValue>(0x80000010u));
  for (const char* bad : {"", "clBlau", "$", "$12x", "12 ", "$123456789", "99999999999"}) {
    try {
      StringToColor(bad);
      ADD_FAILURE() << bad << " taken";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + bad + "' ist kein gültiger Farbwert");
    }
  }
}

TEST(StyleNames, BrushAndPenTextsRoundTrip) {
  EXPECT_EQ(BrushStyleText(0), "bsSolid");
  EXPECT_EQ(BrushStyleText(7), "bsDiagCross");
  EXPECT_EQ(BrushStyleText(8), "");
  EXPECT_EQ(BrushStyleFromText("bsCross"), 6);
  EXPECT_EQ(BrushStyleFromText("Cross"), -1) << "the text carries the bs prefix";
  EXPECT_EQ(PenStyleText(1), "psDash");
  EXPECT_EQ(PenStyleFromText("psInsideFrame"), 6);
  EXPECT_EQ(PenStyleFromText("psNone"), -1);
  for (int i = 0; i < kBrushStyleCount; ++i) EXPECT_EQ(BrushStyleFromText(BrushStyleText(i)), i);
  for (int i = 0; i < kPenStyleCount; ++i) EXPECT_EQ(PenStyleFromText(PenStyleText(i)), i);
}

TEST(PopupMetrics, RowsHeightsAndPlaces) {
  EXPECT_EQ(PopupRowCount(0), 1);
  EXPECT_EQ(PopupRowCount(3), 3);
  EXPECT_EQ(PopupRowCount(20), 7);
  EXPECT_EQ(PopupItemHeight(13), 14);
  EXPECT_EQ(PopupItemHeight(4), 9);
  // Near the bottom right: above and to the left of the point.
  TPopupPlace p = PlacePopupList(780, 590, 100, 50, 800, 600);
  EXPECT_EQ(p.x, 680);
  EXPECT_EQ(p.y, 540);
  p = PlacePopupList(10, 10, 100, 50, 800, 600);
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.y, 10);
}

TEST(Background, NeedPaintAndGradientRamp) {
  EXPECT_FALSE(BackgroundNeedsPaint(boTile, false, true)) << "tile without a picture";
  EXPECT_TRUE(BackgroundNeedsPaint(boTile, false, false));
  EXPECT_TRUE(BackgroundNeedsPaint(boVertGradient, false, true));
  EXPECT_TRUE(BackgroundNeedsPaint(boHorzGradient, false, true));
  EXPECT_FALSE(BackgroundNeedsPaint(boNone, false, false));
  EXPECT_FALSE(BackgroundNeedsPaint(boVertGradient, true, false)) << "empty paint rectangle";

  auto ramp = GradientColors(0x000000, 0x000A04);  // green differs by 10, blue... red 4
  ASSERT_EQ(ramp.size(), 11u);
  EXPECT_EQ(ramp.front(), 0x000000u);
  EXPECT_EQ(ramp.back(), 0x000A04u);
  EXPECT_EQ(GradientColors(0x123456, 0x123456).size(), 1u);
}

}  // namespace
