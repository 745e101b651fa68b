#pragma once
// A list box over the items of a string list; the object beside each string
// stays in the list. Owner-drawn styles draw their lines through DrawItem and
// size them through MeasureItem.
#include "classlib/Canvas.h"
#include "classlib/ControlStrings.h"
#include "classlib/WinControl.h"

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TOwnerDrawStateFlag : unsigned { odSelected = 1, odFocused = 2, odDisabled = 4 };
using TOwnerDrawState = unsigned;
using TDrawItemEvent =
    std::function<void(TObject* sender, int index, const RECT& rect, TOwnerDrawState state)>;
using TMeasureItemEvent = std::function<void(TObject* sender, int index, int& height)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

class TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;

  TControlStrings& Items() { return FItems; }
  const TControlStrings& Items() const { return FItems; }
  // The selected line (with MultiSelect the line with the caret), -1 for none.
  virtual int ItemIndex() const;
  virtual void SetItemIndex(int index);
  bool Selected(int index) const;
  void SetSelected(int index, bool v);
  int SelCount() const;

  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle s);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int h);
  bool Sorted() const { return FItems.Sorted(); }
  void SetSorted(bool v);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool v);
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool v);
  bool IntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool v);
  int TopIndex() const;
  void SetTopIndex(int index);
  // The line's rectangle in client coordinates (empty outside the list).
  RECT ItemRect(int index) const;
  // The line at a client point, -1 when there is none.
  int ItemAtPos(POINT p, bool existing) const;

  // The canvas owner-drawn lines are drawn on (valid inside DrawItem).
  TCanvas& Canvas() { return FCanvas; }

  TNotifyEvent OnDblClick;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;
  TKeyPressEvent OnKeyPress;

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void CommandNotify(WORD code) override;
  HBRUSH CtlColor(HDC dc) override;

  // Draws line `index` on Canvas(); the default fills the rectangle and
  // writes the text.
  virtual void DrawItem(int index, const RECT& rect, TOwnerDrawState state);
  virtual void MeasureItem(int index, int& height);
  // A character typed in the list (0 after the handler swallows it).
  virtual void KeyPress(char& key);
  virtual void KeyDown(WORD& key, TShiftState shift) {}
  virtual void MouseDown(int x, int y, TShiftState shift) {}
  virtual void DblClick();

  // Puts the items into the window again (appends only when lines were
  // added at the end).
  void FillList();

 private:
  bool LineIs(int index) const;

  TControlStrings FItems;
  TCanvas FCanvas;
  TListBoxStyle FStyle = lbStandard;
  int FItemHeight = 16;
  int FItemIndex = -1;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  bool FIntegralHeight = false;
};

class TListBox : public TCustomListBox {
 public:
  using TCustomListBox::TCustomListBox;
};
