#pragma once
// A list of equal-sized images drawn by index (a common-controls image list
// with a mask).
#include <windows.h>

#include <commctrl.h>

#include "classlib/Bitmap.h"
#include "classlib/Component.h"

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner, int width = 16, int height = 16);
  ~TImageList() override;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Count() const;
  // Adds the bitmap (cut into images of the list's width); pixels of the
  // mask colour stay transparent. The index of the first new image, or -1.
  int AddMasked(TBitmap& bitmap, TColor maskColor);
  void Draw(HDC dc, int x, int y, int index) const;
  void Clear();
  HIMAGELIST Handle() const { return FHandle; }

 private:
  HIMAGELIST FHandle = nullptr;
  int FWidth, FHeight;
};
