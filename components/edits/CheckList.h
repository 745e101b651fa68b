#pragma once
// An owner-drawn list box whose lines carry a check box and whose texts can
// be laid out in columns by tab stops. The tick state of a line is the
// object stored beside its text in Items.
#include "classlib/Bitmap.h"
#include "classlib/ListBox.h"

enum TCheckListWithTab { clbNormal, clbTabBox };

class TCheckList : public TCustomListBox {
 public:
  explicit TCheckList(TComponent* owner);
  ~TCheckList() override;
  // Streamed under its own name with the control's published properties.
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  void Check(int index);
  void Uncheck(int index);
  bool IsChecked(int index) const;
  virtual void InvalidateIndex(int index);

  TCheckListWithTab BoxStyle() const { return FBoxStyle; }
  void SetBoxStyle(TCheckListWithTab style);
  // The tab stops joined with ";"; setting raises Exception for a stop that
  // is no integer ("<text>: Fehlerhafter Tabulator").
  AnsiString TabsAt() const;
  void SetTabsAt(const AnsiString& value);
  const TStringList& Tabs() const { return FTabs; }
  // Sends the tab stops to the window (after the properties are set).
  void Loaded();

  int PictureWidth() const;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void DrawItem(int index, const RECT& rect, TOwnerDrawState state) override;
  void MeasureItem(int index, int& height) override;
  void KeyPress(char& key) override;
  void MouseDown(int x, int y, TShiftState shift) override;

 private:
  class TCheckPicture;
  void IniTabs();
  void Toggle(int index);

  TCheckPicture* FChecked;
  TCheckPicture* FUnchecked;
  TCheckListWithTab FBoxStyle = clbTabBox;
  int FUnused = -1;
  TStringList FTabs;
};
