// Transparent copies, filled text and bold sections, read back from bitmaps.
#include <gtest/gtest.h>

#include "classlib/Bitmap.h"
#include "components/buttonedits/controls/DrawHelpers.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 128, 0);

// A 4 x 4 glyph: blue with its left column and bottom row magenta.
void makeGlyph(TBitmap& glyph) {
  glyph.SetSize(4, 4);
  HDC dc = glyph.Canvas().Handle();
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) SetPixel(dc, x, y, (x == 0 || y == 3) ? kMagenta : kBlue);
}

void fill(TBitmap& b, COLORREF c) {
  RECT r{0, 0, b.Width(), b.Height()};
  HBRUSH brush = CreateSolidBrush(c);
  FillRect(b.Canvas().Handle(), &r, brush);
  DeleteObject(brush);
}

TEST(TransparentBlit, TransparentPixelsKeepTheBackgroundOneToOneAndStretched) {
  TBitmap glyph, target;
  makeGlyph(glyph);
  target.SetSize(20, 20);
  HDC src = glyph.Canvas().Handle(), dst = target.Canvas().Handle();
  RECT all{0, 0, 4, 4};
  EXPECT_EQ(GetTransparentColor(src, RECT{0, 0, 4, 3}), kMagenta) << "corner pixel (left, bottom)";

  fill(target, kGreen);
  TransparentBitBlt(src, dst, all, 2, 2, kMagenta);
  EXPECT_EQ(GetPixel(dst, 2, 2), kGreen) << "transparent column";
  EXPECT_EQ(GetPixel(dst, 4, 5), kGreen) << "transparent row";
  EXPECT_EQ(GetPixel(dst, 3, 2), kBlue);
  EXPECT_EQ(GetPixel(dst, 5, 4), kBlue);
  EXPECT_EQ(GetPixel(dst, 1, 1), kGreen) << "outside the copy";

  fill(target, kGreen);
  TransparentBitBltEx(src, dst, all, RECT{0, 0, 16, 16}, kMagenta);  // 4 x larger
  EXPECT_EQ(GetPixel(dst, 1, 1), kGreen) << "stretched transparent column";
  EXPECT_EQ(GetPixel(dst, 10, 14), kGreen) << "stretched transparent row";
  EXPECT_EQ(GetPixel(dst, 6, 6), kBlue);
  EXPECT_EQ(GetPixel(dst, 15, 11), kBlue);
  EXPECT_EQ(GetPixel(dst, 17, 17), kGreen) << "outside the copy";
}

TEST(FilledText, EmptyTextFillsTheWholeRectangleAndTextLeavesNoGap) {
  TBitmap b;
  b.SetSize(120, 30);
  fill(b, RGB(255, 255, 255));
  TCanvas& c = b.Canvas();
  c.Brush.SetColor(clRed);
  RECT r{10, 5, 110, 25};
  DrawTextWithFill(c, "", DT_CENTER | DT_VCENTER | DT_SINGLELINE, r);
  for (POINT p : {POINT{10, 5}, POINT{60, 15}, POINT{109, 24}}) EXPECT_EQ(c.Pixel(p.x, p.y), RGB(255, 0, 0));
  EXPECT_EQ(c.Pixel(9, 5), RGB(255, 255, 255)) << "nothing outside";

  fill(b, RGB(255, 255, 255));
  c.Brush.SetColor(clRed);
  c.Font.SetColor(clBlack);
  DrawTextWithFill(c, "Wg", DT_CENTER | DT_VCENTER | DT_SINGLELINE, r);
  int white = 0, black = 0;
  for (int y = 5; y < 25; ++y)
    for (int x = 10; x < 110; ++x) {
      COLORREF px = c.Pixel(x, y);
      white += px == RGB(255, 255, 255);
      black += px == RGB(0, 0, 0);
    }
  EXPECT_EQ(white, 0) << "every pixel is text or fill";
  EXPECT_GT(black, 0);
  EXPECT_EQ(c.Pixel(12, 15), RGB(255, 0, 0)) << "the text is centred, the left end filled";
}

TEST(BoldSection, MeasuresTheSectionInTheBoldFont) {
  TBitmap b;
  b.SetSize(10, 10);
  TCanvas& c = b.Canvas();
  TFont font, bold;
  font.SetName("Arial");
  font.SetSize(12);
  bold.Assign(font);
  bold.SetStyle(fsBold);
  SIZE plain = CalcStringSize(c, font, bold, "abcdefgh");
  SIZE marked = CalcStringSize(c, font, bold, "ab~cdef~gh");
  SIZE noMark = CalcStringSize(c, font, bold, "ab~cdefgh");
  EXPECT_GT(marked.cx, plain.cx) << "bold letters are wider";
  EXPECT_GE(noMark.cx, marked.cx) << "without a second marker the rest is bold";
  EXPECT_GT(plain.cy, 0);
}

}  // namespace
