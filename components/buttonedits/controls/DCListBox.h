#pragma once
// A list box whose lines carry column texts (separated by "|") with one
// bold section each (between "~" markers); with CustomDraw it draws them
// itself and measures each column's width over all lines.
#include <memory>
#include <vector>

#include "classlib/ListBox.h"
#include "components/buttonedits/controls/DrawHelpers.h"

struct TDCListBoxColumn {
  TLeftRightAlign Alignment = lrLeftJustify;
  int ColumnSize = 0;  // 0: measured
};

class TDCListBox : public TCustomListBox {
 public:
  explicit TDCListBox(TComponent* owner);

  std::vector<TDCListBoxColumn>& Columns() { return FColumns; }
  bool CustomDraw() const { return FCustomDraw; }
  void SetCustomDraw(bool v);
  TFont& BoldFont() { return FBoldFont; }

  // The column's alignment; left for a column that does not exist.
  TLeftRightAlign ColumnAlign(int column) const;
  // The column's own width, else its measured width, else 0.
  int ColumnSize(int column) const;
  // Width of the text and one blank, its bold section in the bold font.
  int CalcSize(TCanvas& canvas, const std::string& text);
  // Measures the columns again (only with CustomDraw and no redraw lock).
  void ResetColumnSize();
  int MeasuredColumnCount() const { return static_cast<int>(FColumnWidths.size()); }

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void FontChanged() override;
  void DrawItem(int index, const RECT& rect, TOwnerDrawState state) override;

  TFont FBoldFont;
  std::vector<TDCListBoxColumn> FColumns;
  std::vector<int> FColumnWidths;
  int FRedrawLock = 0;
  bool FCustomDraw = false;

 private:
  void RefreshBoldFont();
};
