#include "classlib/Bitmap.h"

TBitmap::TBitmap() : memDc_(CreateCompatibleDC(nullptr)) {}

// The canvas puts its selections back into the context before it goes.
TBitmap::~TBitmap() { release(); }

void TBitmap::release() {
  canvas_.SetHandle(nullptr);
  selected_.reset();
  handle_.reset();
  width_ = height_ = 0;
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  release();
  if (bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    handle_.reset(bitmap);
    width_ = info.bmWidth;
    height_ = info.bmHeight;
    selected_.emplace(memDc_, bitmap);
    canvas_.SetHandle(memDc_);
  }
  if (OnChange) OnChange();
}

void TBitmap::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) {
    SetHandle(nullptr);
    return;
  }
  HDC screen = GetDC(nullptr);
  HBITMAP bm = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  SetHandle(bm);
  RECT r{0, 0, width, height};
  ::FillRect(memDc_, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

bool TBitmap::LoadFromResourceID(HINSTANCE module, int id) {
  HBITMAP bm = LoadBitmapA(module, MAKEINTRESOURCEA(id));
  if (!bm) return false;
  SetHandle(bm);
  return true;
}

bool TBitmap::LoadFromResourceName(HINSTANCE module, const char* name) {
  HBITMAP bm = LoadBitmapA(module, name);
  if (!bm) return false;
  SetHandle(bm);
  return true;
}
