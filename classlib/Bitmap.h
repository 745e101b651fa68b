#pragma once
// A device-dependent bitmap selected into its own memory canvas.
#include <windows.h>

#include <functional>
#include <optional>

#include "classlib/Canvas.h"
#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"

class TBitmap {
 public:
  TBitmap();
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return handle_ == nullptr; }
  // A new blank (white) bitmap of the given size; 0 x 0 frees it.
  void SetSize(int width, int height);
  // Takes a bitmap resource of the module (false when it is not there).
  bool LoadFromResourceID(HINSTANCE module, int id);
  bool LoadFromResourceName(HINSTANCE module, const char* name);
  // Takes ownership of a bitmap handle.
  void SetHandle(HBITMAP bitmap);
  HBITMAP Handle() const { return handle_.get(); }
  TCanvas& Canvas() { return canvas_; }

  // Fired after the bitmap was exchanged (a new handle, size or resource).
  std::function<void()> OnChange;

 private:
  void release();

  TCanvas canvas_;
  TGdiHandle<HDC> memDc_;
  TGdiHandle<HBITMAP> handle_;
  std::optional<TSelectedObject> selected_;  // handle_ in memDc_
  int width_ = 0, height_ = 0;
};
