#pragma once
// Inner editors that paint their value instead of showing it as text: a
// colour sample with its name, a line in a pen style, a sample of a brush
// pattern. The value is exchanged with the owning edit as window text.
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/WinControl.h"

class TGraphicEdit : public TWinControl {
 public:
  explicit TGraphicEdit(TComponent* owner, std::string initial);

  AnsiString Text() const override { return FValue; }
  // Through WM_SETTEXT once the window exists, so that the owner hears of it.
  void SetText(const AnsiString& value) override;
  // Stores a new value; a value the editor cannot show raises before
  // anything is stored.
  virtual void SetValue(const std::string& value);
  // Raises for a value the editor cannot show (nothing here).
  virtual void CheckValue(const std::string& value) const {}
  // Paints the value with its top left at (x, y).
  virtual void PaintToCanvas(HDC dc, int x, int y) = 0;

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  void EnabledChanged() override;
  void HandleCreated() override;
  RECT ClientRect() const;
  bool FocusedLook() const;

  std::string FValue;
};

class TColorEdit : public TGraphicEdit {
 public:
  explicit TColorEdit(TComponent* owner) : TGraphicEdit(owner, "clBlack") {}
  void SetValue(const std::string& value) override;
  void CheckValue(const std::string& value) const override;
  void PaintToCanvas(HDC dc, int x, int y) override;
};

class TPenStyleEdit : public TGraphicEdit {
 public:
  explicit TPenStyleEdit(TComponent* owner) : TGraphicEdit(owner, "psSolid") {}
  void PaintToCanvas(HDC dc, int x, int y) override;
};

class TBrushStyleEdit : public TGraphicEdit {
 public:
  explicit TBrushStyleEdit(TComponent* owner) : TGraphicEdit(owner, "bsSolid") {}
  void PaintToCanvas(HDC dc, int x, int y) override;
};

// A picture editor: inside a property editor it stretches its picture over
// its client area; elsewhere it shows the background only. The background
// is erased only under a transparent picture.
class TGraphEdit : public TGraphicEdit {
 public:
  explicit TGraphEdit(TComponent* owner) : TGraphicEdit(owner, "") {}
  // The picture, or null.
  virtual TBitmap* GetGraphic() = 0;
  virtual bool GraphicTransparent() { return false; }
  void PaintToCanvas(HDC dc, int x, int y) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool ShowsGraphic();
};
