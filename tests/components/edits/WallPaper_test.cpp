// The wallpaper panel: where each placement puts the picture, pictures
// through the system's picture loader, and pictures it cannot show.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <vector>

#include "classlib/Exception.h"
#include "classlib/Stream.h"
#include "components/edits/WallPaper.h"
#include "tests/support/TestFiles.h"

using namespace kel::test;

namespace {

constexpr COLORREF kMarker = RGB(255, 0, 0);

// A 24-bit BMP file of w x h white pixels with one red marker.
std::vector<uint8_t> markerBitmap(int w, int h, int mx, int my) {
  int stride = (w * 3 + 3) & ~3;
  std::vector<uint8_t> b(54 + static_cast<size_t>(stride) * h, 0xFF);
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); };
  auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&b[at], &v, 2); };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, static_cast<uint32_t>(b.size()));
  put32(6, 0);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(w));
  put32(22, static_cast<uint32_t>(h));
  put16(26, 1);
  put16(28, 24);
  put32(30, 0);
  put32(34, static_cast<uint32_t>(stride * h));
  put32(38, 3780);
  put32(42, 3780);
  put32(46, 0);
  put32(50, 0);
  size_t at = 54 + static_cast<size_t>(stride) * (h - 1 - my) + mx * 3;  // bottom-up rows
  b[at] = 0;
  b[at + 1] = 0;
  b[at + 2] = 0xFF;
  return b;
}

// A memory stream over bytes.
struct BytesStream : TMemoryStream {
  explicit BytesStream(const std::vector<uint8_t>& bytes) {
    WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    SetPosition(0);
  }
};

// The panel painted into a 100 x 100 bitmap; the marker pixels found.
struct Painted {
  explicit Painted(TWallPaper& panel) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 100, -100, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    panel.PaintTo(dc);
    GdiFlush();
    auto* px = static_cast<const uint32_t*>(bits);
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) {
        uint32_t v = px[y * 100 + x] & 0xFFFFFF;  // 0x00RRGGBB
        if (v == 0xFF0000) markers.push_back({x, y});
        if (v == 0xFFFFFF) ++white;
      }
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  std::vector<std::pair<int, int>> markers;
  int white = 0;
};

TEST(WallPaper, PlacementsPutThePictureWhereTheySay) {
  TWallPaper panel(nullptr);
  EXPECT_EQ(panel.Width(), 100);
  EXPECT_EQ(panel.Height(), 100);
  BytesStream bmp(markerBitmap(40, 30, 5, 7));
  panel.AdvImage().LoadFromStream(bmp);
  EXPECT_EQ(panel.AdvImage().Width(), 40);
  EXPECT_EQ(panel.AdvImage().Height(), 30);
  using Points = std::vector<std::pair<int, int>>;
  struct Case {
    TImagePosition position;
    Points markers;
  } cases[] = {
      {ipTopLeft, {{5, 7}}},
      {ipTopRight, {{65, 7}}},
      {ipBottomLeft, {{5, 77}}},
      {ipBottomRight, {{65, 77}}},
      {ipCenter, {{35, 42}}},
      {ipTiled, {}},
  };
  for (int y : {7, 37, 67, 97})
    for (int x : {5, 45, 85}) cases[5].markers.push_back({x, y});
  for (const Case& c : cases) {
    panel.SetImagePosition(c.position);
    Painted p(panel);
    EXPECT_EQ(p.markers, c.markers) << c.position;
  }
  // Stretched: the whole panel is picture; the marker grows to a block
  // around (5 * 100 / 40, 7 * 100 / 30).
  panel.SetImagePosition(ipStretched);
  Painted p(panel);
  ASSERT_FALSE(p.markers.empty());
  for (auto [x, y] : p.markers) {
    EXPECT_TRUE(x >= 12 && x <= 15 && y >= 23 && y <= 27) << x << "," << y;
  }
  EXPECT_EQ(p.white + static_cast<int>(p.markers.size()), 100 * 100);

  // A picture larger than the panel at the bottom right starts at (0, 0).
  BytesStream big(markerBitmap(150, 120, 1, 2));
  panel.AdvImage().LoadFromStream(big);
  panel.SetImagePosition(ipBottomRight);
  EXPECT_EQ(Painted(panel).markers, (Points{{1, 2}}));
}

TEST(WallPaper, PicturesItCannotShow) {
  TWallPaper panel(nullptr);
  panel.SetImagePosition(ipTiled);
  EXPECT_TRUE(panel.AdvImage().Empty());
  EXPECT_EQ(Painted(panel).white, 0) << "an empty image paints nothing but the background";

  std::string text = "Dies ist kein Bild.\r\n";
  TempDir dir;
  const std::string path = dir / "wallpaper.txt";
  std::ofstream(path, std::ios::binary) << text;
  int changes = 0;
  panel.AdvImage().OnChange = [&] { ++changes; };
  EXPECT_NO_THROW(panel.AdvImage().LoadFromFile(path));
  EXPECT_TRUE(panel.AdvImage().Empty());
  EXPECT_FALSE(panel.AdvImage().HasPicture());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Painted(panel).white, 0);
  EXPECT_NO_THROW(panel.AdvImage().LoadFromFile(path + ".fehlt"));
  EXPECT_TRUE(panel.AdvImage().Empty());
  EXPECT_EQ(changes, 2);

  BytesStream bytes(std::vector<uint8_t>(text.begin(), text.end()));
  try {
    panel.AdvImage().LoadFromStream(bytes);
    ADD_FAILURE() << "text is no picture";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Could not load image. Invalid format");
  }
  EXPECT_EQ(changes, 2) << "a stream load does not notify";
  EXPECT_EQ(Painted(panel).white, 0);
}

// A placeable metafile whose bounding box is empty: a picture of size 0.
std::vector<uint8_t> emptyMetafile() {
  std::vector<uint16_t> w = {0xCDD7, 0x9AC6, 0, 0, 0, 0, 0, 1440, 0, 0, 0};
  uint16_t sum = 0;
  for (int i = 0; i < 10; ++i) sum ^= w[i];
  w[10] = sum;
  // Metafile header (9 words) and the end record (3 words).
  std::vector<uint16_t> mf = {1, 9, 0x300, 12, 0, 0, 3, 0, 0, 3, 0, 0};
  w.insert(w.end(), mf.begin(), mf.end());
  std::vector<uint8_t> b(w.size() * 2);
  std::memcpy(b.data(), w.data(), b.size());
  return b;
}

TEST(WallPaper, PictureWithoutExtentPaintsNothing) {
  TWallPaper panel(nullptr);
  BytesStream bytes(emptyMetafile());
  try {
    panel.AdvImage().LoadFromStream(bytes);
  } catch (const Exception& e) {
    GTEST_SKIP() << "the picture loader refuses an empty metafile: " << e.what();
  }
  EXPECT_TRUE(panel.AdvImage().Width() == 0 || panel.AdvImage().Height() == 0);
  for (TImagePosition p : {ipTiled, ipCenter, ipStretched}) {
    panel.SetImagePosition(p);
    EXPECT_EQ(Painted(panel).white, 0);
  }
}

TEST(WallPaper, AssignCopiesThePicture) {
  TWallPaper a(nullptr), b(nullptr);
  BytesStream bmp(markerBitmap(40, 30, 5, 7));
  a.AdvImage().LoadFromStream(bmp);
  b.SetAdvImage(a.AdvImage());
  EXPECT_FALSE(b.AdvImage().Empty());
  EXPECT_EQ(Painted(b).markers, (std::vector<std::pair<int, int>>{{5, 7}}));
  TMemoryStream saved;
  b.AdvImage().SaveToStream(saved);
  EXPECT_EQ(saved.Size(), static_cast<int64_t>(markerBitmap(40, 30, 5, 7).size()));
  b.AdvImage().Assign(nullptr);
  EXPECT_TRUE(b.AdvImage().Empty());
  EXPECT_TRUE(Painted(b).markers.empty());
}

}  // namespace
