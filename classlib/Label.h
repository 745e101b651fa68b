#pragma once
// A windowless text label; with AutoSize it takes the size of its text.
#include "classlib/WinControl.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment a);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  void PaintOn(HDC dc) override;

 protected:
  void TextChanged() override;
  void FontChanged() override;

 private:
  UINT DrawFlags() const;
  void AdjustSize();
  bool FAutoSize = true;
  bool FWordWrap = false;
  bool FTransparent = false;
  TAlignment FAlignment = taLeftJustify;
};
