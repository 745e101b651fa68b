#pragma once
// A windowless picture: a bitmap drawn at the top left, centred or
// stretched.
#include "classlib/Bitmap.h"
#include "classlib/WinControl.h"

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);
  // The picture; call Invalidate after drawing on it.
  TBitmap& Picture() { return FPicture; }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool v);
  bool Center() const { return FCenter; }
  void SetCenter(bool v);
  void PaintOn(HDC dc) override;

 private:
  TBitmap FPicture;
  bool FStretch = false;
  bool FCenter = false;
};
