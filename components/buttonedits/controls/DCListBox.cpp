#include "components/buttonedits/controls/DCListBox.h"

#include "components/buttonedits/controls/TextMarkup.h"

TDCListBox::TDCListBox(TComponent* owner) : TCustomListBox(owner) { RefreshBoldFont(); }

void TDCListBox::RefreshBoldFont() {
  FBoldFont.Assign(FFont);
  FBoldFont.SetStyle(FFont.Style() | fsBold);
}

void TDCListBox::SetCustomDraw(bool v) {
  if (v == FCustomDraw) return;
  FCustomDraw = v;
  RefreshBoldFont();
  RecreateWnd();
}

void TDCListBox::CreateParams(TCreateParams& p) {
  TCustomListBox::CreateParams(p);
  if (FCustomDraw) {
    p.Style |= LBS_OWNERDRAWFIXED;
    RefreshBoldFont();
  }
}

void TDCListBox::FontChanged() {
  TCustomListBox::FontChanged();
  RefreshBoldFont();
}

TLeftRightAlign TDCListBox::ColumnAlign(int column) const {
  return column >= 0 && column < static_cast<int>(FColumns.size()) ? FColumns[static_cast<size_t>(column)].Alignment
                                                                   : lrLeftJustify;
}

int TDCListBox::ColumnSize(int column) const {
  if (column < 0) return 0;
  if (column < static_cast<int>(FColumns.size()) && FColumns[static_cast<size_t>(column)].ColumnSize != 0)
    return FColumns[static_cast<size_t>(column)].ColumnSize;
  if (column < static_cast<int>(FColumnWidths.size())) return FColumnWidths[static_cast<size_t>(column)];
  return 0;
}

int TDCListBox::CalcSize(TCanvas& canvas, const std::string& text) {
  return CalcStringSize(canvas, FFont, FBoldFont, text + " ").cx;
}

void TDCListBox::ResetColumnSize() {
  if (!FCustomDraw || FRedrawLock >= 1) return;
  HDC dc = GetDC(nullptr);
  TCanvas canvas;
  canvas.SetHandle(dc);
  for (int i = 0; i < Items().Count(); ++i) {
    const std::string& text = Items().Strings(i);
    size_t pos = 0;
    for (size_t column = 0; pos < text.size(); ++column) {
      std::string part = ExtractColumn(text, pos);
      if (column >= FColumnWidths.size()) FColumnWidths.push_back(0);
      FColumnWidths[column] = std::max(FColumnWidths[column], CalcSize(canvas, part));
    }
  }
  canvas.SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
}

LRESULT TDCListBox::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING: {
      LRESULT r = TCustomListBox::WndProc(msg, w, l);
      ResetColumnSize();
      return r;
    }
    case WM_SETREDRAW: {
      if (w)
        --FRedrawLock;
      else
        ++FRedrawLock;
      LRESULT r = TCustomListBox::WndProc(msg, w, l);
      ResetColumnSize();
      return r;
    }
    default:
      return TCustomListBox::WndProc(msg, w, l);
  }
}

void TDCListBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state) {
  TCanvas& c = Canvas();
  c.FillRect(rect);
  if (index < 0 || index >= Items().Count()) return;
  RECT r = rect;
  r.left += 2;
  r.right -= 2;
  const std::string& text = Items().Strings(index);
  size_t pos = 0;
  TFont font, bold;
  font.Assign(c.Font);
  bold.Assign(FBoldFont);
  bold.SetColor(c.Font.Color());
  for (int column = 0; pos < text.size(); ++column) {
    std::string part = ExtractColumn(text, pos);
    int32_t start = 0, length = 0;
    std::string plain = ExtractBoldPos(part, start, length);
    RECT cell = r;
    int size = ColumnSize(column);
    if (size > 0 && pos < text.size()) cell.right = std::min(r.right, r.left + size);
    DrawWithSelection(c, font, bold, cell, plain, start, length, ColumnAlign(column));
    r.left += size;
    if (r.left >= r.right) break;
  }
}
