#include "classlib/JPEGImage.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// it jumps back to the decoder.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void errorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void quietMessage(j_common_ptr) {}

}  // namespace

bool TJPEGImage::LoadFromMemory(const uint8_t* data, size_t size, TBitmap& bitmap) {
  if (!data || size < 4 || size > 0x7FFFFFFF) return false;
  jpeg_decompress_struct info{};
  ErrorManager err{};
  info.err = jpeg_std_error(&err.base);
  err.base.error_exit = errorExit;
  err.base.output_message = quietMessage;
  // Everything the jump can skip lives outside this frame's locals that
  // change after setjmp.
  std::vector<uint8_t> pixels;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  const int w = static_cast<int>(info.output_width), h = static_cast<int>(info.output_height);
  if (w <= 0 || h <= 0 || w > 16384 || h > 16384 || info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  // Bottom-up 24-bit rows of a DIB, each padded to 4 bytes, in BGR order.
  const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
  pixels.assign(stride * static_cast<size_t>(h), 0);
  std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    uint8_t* out = pixels.data() + stride * (static_cast<size_t>(h) - info.output_scanline);
    for (int x = 0; x < w; ++x) {
      out[x * 3] = row[x * 3 + 2];
      out[x * 3 + 1] = row[x * 3 + 1];
      out[x * 3 + 2] = row[x * 3];
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);

  bitmap.SetSize(w, h);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(bitmap.Canvas().Handle(), 0, 0, w, h, 0, 0, 0, h, pixels.data(), &bi,
                    DIB_RGB_COLORS);
  return true;
}

bool TJPEGImage::LoadFromResourceName(HINSTANCE module, const char* name, TBitmap& bitmap) {
  HRSRC res = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!res) return false;
  HGLOBAL mem = LoadResource(module, res);
  const void* data = mem ? LockResource(mem) : nullptr;
  if (!data) return false;
  return LoadFromMemory(static_cast<const uint8_t*>(data), SizeofResource(module, res), bitmap);
}
