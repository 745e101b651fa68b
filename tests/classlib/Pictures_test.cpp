// JPEG pictures decoded into bitmaps: colours and size of a picture made by
// libjpeg's own encoder, and data that is not a JPEG.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "classlib/JPEGImage.h"

namespace {

// A 16 x 8 JPEG: the left half red, the right half blue.
std::vector<uint8_t> makeJpeg() {
  jpeg_compress_struct info{};
  jpeg_error_mgr err{};
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = 16;
  info.image_height = 8;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(16 * 3);
  for (int x = 0; x < 16; ++x) {
    row[x * 3] = x < 8 ? 255 : 0;
    row[x * 3 + 2] = x < 8 ? 0 : 255;
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> data(out, out + size);
  jpeg_destroy_compress(&info);
  free(out);
  return data;
}

TEST(JPEGImage, DecodesSizeAndColours) {
  std::vector<uint8_t> jpeg = makeJpeg();
  TBitmap bm;
  ASSERT_TRUE(TJPEGImage::LoadFromMemory(jpeg.data(), jpeg.size(), bm));
  EXPECT_EQ(bm.Width(), 16);
  EXPECT_EQ(bm.Height(), 8);
  COLORREF left = bm.Canvas().Pixel(2, 6), right = bm.Canvas().Pixel(13, 1);
  EXPECT_GT(GetRValue(left), 200);
  EXPECT_LT(GetBValue(left), 60);
  EXPECT_GT(GetBValue(right), 200);
  EXPECT_LT(GetRValue(right), 60);
}

TEST(JPEGImage, RefusesDataThatIsNoJpeg) {
  std::vector<uint8_t> jpeg = makeJpeg();
  std::vector<uint8_t> text = {'n', 'o', ' ', 'j', 'p', 'e', 'g', '!'};
  std::vector<uint8_t> header(jpeg.begin(), jpeg.begin() + 20);
  TBitmap bm;
  bm.SetSize(3, 3);
  EXPECT_FALSE(TJPEGImage::LoadFromMemory(text.data(), text.size(), bm));
  EXPECT_FALSE(TJPEGImage::LoadFromMemory(header.data(), header.size(), bm));
  EXPECT_FALSE(TJPEGImage::LoadFromMemory(nullptr, 0, bm));
  EXPECT_EQ(bm.Width(), 3) << "a refused picture leaves the bitmap as it was";
}

}  // namespace
