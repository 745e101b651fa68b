#pragma once
// Size limits of a control: its width and height stay within the minimum
// and maximum given here (0: no limit).
#include "classlib/Persistent.h"

#include <functional>

class TSizeConstraints : public TPersistent {
 public:
  // Published: MaxHeight, MaxWidth, MinHeight, MinWidth.
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  void Assign(const TPersistent& source) override;

  int MaxHeight() const { return FMaxHeight; }
  int MaxWidth() const { return FMaxWidth; }
  int MinHeight() const { return FMinHeight; }
  int MinWidth() const { return FMinWidth; }
  // A negative value counts as 0; a maximum below the minimum becomes the
  // minimum.
  void SetMaxHeight(int v);
  void SetMaxWidth(int v);
  void SetMinHeight(int v);
  void SetMinWidth(int v);

  // The size within the limits.
  int ConstrainWidth(int width) const { return Constrain(width, FMinWidth, FMaxWidth); }
  int ConstrainHeight(int height) const { return Constrain(height, FMinHeight, FMaxHeight); }

  // Called after every change.
  std::function<void()> OnChange;

 private:
  static int Constrain(int v, int minimum, int maximum);
  void Change();
  int FMaxHeight = 0, FMaxWidth = 0, FMinHeight = 0, FMinWidth = 0;
};
