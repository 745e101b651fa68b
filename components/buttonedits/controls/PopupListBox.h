#pragma once
// The drop-down lists of the edits with buttons. The edit and its popup
// talk through window text: the edit sends WM_SETTEXT with its text before
// the popup opens and reads WM_GETTEXT when it closes with acceptance.
// TPopupListBox is the default drop-down; the colour, brush and pen boxes
// serve the edits of those values.
#include <vector>

#include "components/buttonedits/controls/DCListBox.h"

class TPopupListBox : public TDCListBox {
 public:
  explicit TPopupListBox(TComponent* owner);

  bool DisplayNames() const { return FDisplayNames; }
  void SetDisplayNames(bool v);
  // Closes the drop-down through the owning edit.
  virtual void Close(bool accept);
  // Fills the list when the window is made (nothing here).
  virtual void BuildList() {}
  // Client height: ItemHeight x the items, 1 to 7 rows.
  void AdjustHeight();
  // ItemHeight from the font: its text height + 1, at least 9.
  void ResetItemHeight();
  // Client width and height of the window.
  SIZE ClientSize() const;
  void SetClientWidth(int width);

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void CommandNotify(WORD code) override;
  void FontChanged() override;
  // The value text after WM_SETTEXT; the selected line's text by default.
  virtual void SetValueText(const std::string& text);
  virtual std::string ValueText();
  // A click took a line.
  virtual void LineClicked() {}

  bool FDisplayNames = false;

 private:
  void SelectAt(POINT p);
};

// Draws a sample box at the left of each line and, with DisplayNames, the
// value's name beside it.
class TPopupValueBox : public TPopupListBox {
 public:
  explicit TPopupValueBox(TComponent* owner);

 protected:
  void DrawItem(int index, const RECT& rect, TOwnerDrawState state) override;
  virtual void DrawSample(TCanvas& canvas, int index, const RECT& box) = 0;
  // The name drawn beside the sample.
  virtual std::string DisplayName(int index) const { return Items().Strings(index); }
  // Width: 42 pixels, plus the widest name's text width with DisplayNames.
  void AdjustWidth(const char* widestName);
};

class TPopupColorBox : public TPopupValueBox {
 public:
  explicit TPopupColorBox(TComponent* owner);
  void BuildList() override;
  TColor Value() const { return FValue; }
  TColor ColorAt(int index) const;

 protected:
  void SetValueText(const std::string& text) override;
  std::string ValueText() override;
  void LineClicked() override;
  void DrawSample(TCanvas& canvas, int index, const RECT& box) override;
  std::string DisplayName(int index) const override;

 private:
  TColor FValue = clBlack;
};

class TPopupBrushBox : public TPopupValueBox {
 public:
  explicit TPopupBrushBox(TComponent* owner);
  void BuildList() override;
  int Value() const { return FValue; }

 protected:
  void SetValueText(const std::string& text) override;
  std::string ValueText() override;
  void DrawSample(TCanvas& canvas, int index, const RECT& box) override;

 private:
  int FValue = 0;
};

class TPopupPenBox : public TPopupValueBox {
 public:
  explicit TPopupPenBox(TComponent* owner);
  void BuildList() override;
  int Value() const { return FValue; }

 protected:
  void SetValueText(const std::string& text) override;
  std::string ValueText() override;
  void DrawSample(TCanvas& canvas, int index, const RECT& box) override;
  std::string DisplayName(int index) const override;

 private:
  int FValue = 0;
};

// The system's hatch style of a brush style 2..7 (horizontal ... diagonal
// cross); -1 for solid and clear.
int BrushHatchStyle(int brushStyle);
