#include "components/edits/ColumnListBox.h"

#include <algorithm>
#include <fstream>

#include "classlib/AnsiString.h"
#include "classlib/Exception.h"
#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"

namespace {

char gDelimiter = '|';

// Comma text: fields separated by commas, quoted when they hold a comma, a
// blank or a quote (quotes doubled).
AnsiString toCommaText(const TStrings& s) {
  AnsiString out;
  for (int i = 0; i < s.Count(); ++i) {
    AnsiString f = s.Strings(i);
    if (i) out += ',';
    if (f.empty() || f.find_first_of(",\" ") != AnsiString::npos) {
      out += '"';
      for (char c : f) {
        if (c == '"') out += '"';
        out += c;
      }
      out += '"';
    } else {
      out += f;
    }
  }
  return out;
}

void fromCommaText(const AnsiString& line, TStrings& s) {
  s.Clear();
  size_t i = 0;
  while (i <= line.size()) {
    AnsiString f;
    if (i < line.size() && line[i] == '"') {
      ++i;
      while (i < line.size()) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            f += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        f += line[i++];
      }
      while (i < line.size() && line[i] != ',') ++i;
    } else {
      while (i < line.size() && line[i] != ',') f += line[i++];
    }
    s.Add(f);
    if (i >= line.size()) break;
    ++i;  // the comma
  }
}

}  // namespace

TListBoxColumnItem::TListBoxColumnItem(TColumnListBox* owner, int index)
    : FOwner(owner), FIndex(index) {
  FFont.Assign(owner->Font());
  FFont.OnChange = [this] { Changed(); };
}

void TListBoxColumnItem::Changed() {
  if (FOwner) FOwner->Invalidate();
}
void TListBoxColumnItem::SetColor(TColor c) { FColor = c; Changed(); }
void TListBoxColumnItem::SetColumnType(TColumnType t) {
  FColumnType = t;
  FOwner->BuildItems();
  Changed();
}
void TListBoxColumnItem::SetEllipsis(TEllipsisType e) { FEllipsis = e; Changed(); }
void TListBoxColumnItem::SetWidth(int w) { FWidth = w; Changed(); }
void TListBoxColumnItem::SetAlignment(TAlignment a) { FAlignment = a; Changed(); }

TListBoxColumnItem* TListBoxColumnCollection::Add() {
  FItems.push_back(std::make_unique<TListBoxColumnItem>(FOwner, Count()));
  FOwner->BuildItems();
  return FItems.back().get();
}

TListBoxColumnItem* TListBoxColumnCollection::Items(int index) const {
  return index >= 0 && index < Count() ? FItems[index].get() : nullptr;
}

void TListBoxColumnCollection::Clear() {
  FItems.clear();
  FOwner->BuildItems();
}

TListBoxItem::TListBoxItem(TColumnListBox* owner) : FOwner(owner) {
  FStrings.OnChange = [this] { FOwner->BuildItems(); };
}

TListBoxItem::~TListBoxItem() { FStrings.OnChange = nullptr; }

void TListBoxItem::SetImageIndex(int i) {
  FImageIndex = i;
  FOwner->BuildItems();
}

TListBoxItem* TListBoxItemCollection::Add() { return Insert(Count()); }

TListBoxItem* TListBoxItemCollection::Insert(int index) {
  if (index < 0 || index > Count()) index = Count();
  auto it = FItems.insert(FItems.begin() + index, std::make_unique<TListBoxItem>(FOwner));
  FOwner->BuildItems();
  return it->get();
}

TListBoxItem* TListBoxItemCollection::Items(int index) const {
  return index >= 0 && index < Count() ? FItems[index].get() : nullptr;
}

void TListBoxItemCollection::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  FItems.erase(FItems.begin() + index);
  FOwner->BuildItems();
}

void TListBoxItemCollection::Clear() {
  FItems.clear();
  FOwner->BuildItems();
}

bool TListBoxItemCollection::IndexOf(const AnsiString& value, int& row, int& pos) const {
  for (int r = 0; r < Count(); ++r) {
    TControlStrings& s = FItems[r]->FStrings;
    for (int p = 0; p < s.Count(); ++p)
      if (s.Strings(p) == value) {
        row = r;
        pos = p;
        return true;
      }
  }
  row = pos = -1;
  return false;
}

int TListBoxItemCollection::IndexInColumnOf(int col, const AnsiString& value) const {
  for (int r = 0; r < Count(); ++r) {
    TControlStrings& s = FItems[r]->FStrings;
    if (col >= 0 && col < s.Count() && s.Strings(col) == value) return r;
  }
  return -1;
}

int TListBoxItemCollection::IndexInRowOf(int row, const AnsiString& value) const {
  if (row < 0 || row >= Count()) return -1;
  TControlStrings& s = FItems[row]->FStrings;
  for (int p = 0; p < s.Count(); ++p)
    if (s.Strings(p) == value) return p;
  return -1;
}

TColumnListBox::TColumnListBox(TComponent* owner)
    : TCustomListBox(owner), FColumns(this), FListBoxItems(this) {
  SetStyle(lbOwnerDrawFixed);
  gDelimiter = '|';
}

TColumnListBox::~TColumnListBox() {
  if (FImages) FImages->RemoveFreeNotification(this);
  // Rows and columns go before the window, with no rebuild on the way.
  ++FUpdateCount;
  DestroyHandle();
}

char TColumnListBox::Delimiter() { return gDelimiter; }
void TColumnListBox::SetDelimiter(char c) { gDelimiter = c; }

void TColumnListBox::SetGridLines(bool v) {
  FGridLines = v;
  Invalidate();
}

void TColumnListBox::SetImages(TImageList* images) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = images;
  if (FImages) FImages->FreeNotification(this);
  Invalidate();
}

void TColumnListBox::Notification(TComponent* component, TOperation operation) {
  TCustomListBox::Notification(component, operation);
  if (operation == opRemove && component == FImages) FImages = nullptr;
}

void TColumnListBox::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) BuildItems();
}

int TColumnListBox::FieldOf(int col) const {
  TListBoxColumnItem* c = FColumns.Items(col);
  if (!c || c->ColumnType() == ctImage) return -1;
  int field = 0;
  for (int i = 0; i < col; ++i)
    if (FColumns.Items(i)->ColumnType() == ctText) ++field;
  return field;
}

AnsiString TColumnListBox::LineOf(const TListBoxItem& row) const {
  AnsiString line = std::to_string(row.FImageIndex);
  int field = 0;
  for (int i = 0; i < FColumns.Count(); ++i) {
    line += gDelimiter;
    if (FColumns.Items(i)->ColumnType() == ctImage) continue;
    if (field < row.FStrings.Count()) line += row.FStrings.Strings(field);
    ++field;
  }
  return line;
}

void TColumnListBox::BuildItems() {
  if (FLoading || FUpdateCount > 0) return;
  ++FBuildCount;
  TControlStrings& lines = Items();
  int keep = ItemIndex();
  lines.BeginUpdate();
  int rows = FListBoxItems.Count();
  while (lines.Count() > rows) lines.Delete(lines.Count() - 1);
  for (int r = 0; r < rows; ++r) {
    AnsiString line = LineOf(*FListBoxItems.FItems[r]);
    if (r < lines.Count()) {
      if (lines.Strings(r) != line) lines.PutString(r, line);
    } else {
      lines.Add(line);
    }
  }
  lines.EndUpdate();
  if (keep >= 0 && keep < rows && ItemIndex() != keep) TCustomListBox::SetItemIndex(keep);
  Invalidate();
}

void TColumnListBox::SetItemIndex(int index) {
  FStoredIndex = index;
  if (MultiSelect() && HandleAllocated() && index >= 0)
    SendMessageA(Handle(), LB_SELITEMRANGE, TRUE, MAKELPARAM(index, index));
  TCustomListBox::SetItemIndex(index);
}

void TColumnListBox::CheckRow(int row) const {
  if (row < 0 || row >= FListBoxItems.Count()) throw EListError("Item index out of range");
}

AnsiString TColumnListBox::GetColumnItems(int row, int col) const {
  CheckRow(row);
  int field = FieldOf(col);
  TControlStrings& s = FListBoxItems.FItems[row]->FStrings;
  return field >= 0 && field < s.Count() ? s.Strings(field) : AnsiString();
}

void TColumnListBox::SetColumnItems(int row, int col, const AnsiString& value) {
  CheckRow(row);
  int field = FieldOf(col);
  if (field < 0) return;
  TControlStrings& s = FListBoxItems.FItems[row]->FStrings;
  s.BeginUpdate();
  while (s.Count() <= field) s.Add("");
  s.PutString(field, value);
  s.EndUpdate();
}

void TColumnListBox::SetSorted(bool v) {
  FSorted = v;
  if (v && !FLoading) Sort();
}

void TColumnListBox::Sort() {
  // Stable order by the sort column's text (field 0 is the image index) in
  // the user's collation, with case.
  // Field k of a line is column k - 1; an image column's field is empty.
  int field = SortColumn >= 1 ? FieldOf(SortColumn - 1) : -1;
  auto key = [&](const std::unique_ptr<TListBoxItem>& r) -> AnsiString {
    if (SortColumn == 0) return std::to_string(r->FImageIndex);
    return field >= 0 && field < r->FStrings.Count() ? r->FStrings.Strings(field) : AnsiString();
  };
  ++FUpdateCount;
  std::stable_sort(FListBoxItems.FItems.begin(), FListBoxItems.FItems.end(),
                   [&](const auto& a, const auto& b) {
                     AnsiString ka = key(a), kb = key(b);
                     return CompareStringA(LOCALE_USER_DEFAULT, 0, ka.c_str(), -1, kb.c_str(),
                                           -1) == CSTR_LESS_THAN;
                   });
  --FUpdateCount;
  BuildItems();
}

void TColumnListBox::Loaded() {
  FLoading = false;
  BuildItems();
  if (FStoredIndex >= 0) TCustomListBox::SetItemIndex(FStoredIndex);
  if (FSorted) Sort();
}

void TColumnListBox::LoadFromFile(const AnsiString& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw EFOpenError("Datei " + fileName + " kann nicht geöffnet werden");
  BeginUpdate();
  FListBoxItems.FItems.clear();
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    TListBoxItem* row = FListBoxItems.Add();
    TStringList fields;
    fromCommaText(line, fields);
    row->Strings().Assign(fields);
  }
  EndUpdate();
}

void TColumnListBox::SaveToFile(const AnsiString& fileName) const {
  std::ofstream out(fileName, std::ios::binary);
  if (!out) throw EFCreateError("Datei " + fileName + " kann nicht erstellt werden");
  for (const auto& r : FListBoxItems.FItems) out << toCommaText(r->FStrings) << "\r\n";
  if (!out) throw EWriteError("Fehler beim Schreiben der Datei " + fileName);
}

void TColumnListBox::TestFill() {
  BeginUpdate();
  FColumns.Clear();
  for (int c = 0; c < 3; ++c) FColumns.Add()->SetWidth(80);
  FListBoxItems.FItems.clear();
  for (int r = 0; r < 5; ++r) {
    TListBoxItem* row = FListBoxItems.Add();
    for (int c = 0; c < 3; ++c)
      row->Strings().Add("Col " + std::to_string(c) + ": Row " + std::to_string(r));
  }
  EndUpdate();
}

void TColumnListBox::HandleCreated() {
  TCustomListBox::HandleCreated();
}

void TColumnListBox::MeasureItem(int index, int& height) {
  if (index < 0) {
    height = 20;
    return;
  }
  TCustomListBox::MeasureItem(index, height);
}

void TColumnListBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state) {
  if (OnDrawItem) OnDrawItem(this, index, rect, state);
  TCanvas& c = Canvas();
  HDC dc = c.Handle();
  bool selected = state & odSelected;
  if (selected) c.FillRect(rect);
  if (index == Items().Count() - 1) {
    RECT client;
    GetClientRect(FHandle, &client);
    RECT rest{rect.left, rect.bottom, rect.right, client.bottom};
    if (rest.bottom > rest.top) {
      const TGdiHandle<HBRUSH> b(CreateSolidBrush(ColorToRGB(FColor)));
      ::FillRect(dc, &rest, b);
    }
  }
  if (index < 0 || index >= FListBoxItems.Count()) return;
  TListBoxItem& row = *FListBoxItems.FItems[index];
  int left = rect.left;
  int field = 0;
  for (int i = 0; i < FColumns.Count(); ++i) {
    TListBoxColumnItem* col = FColumns.Items(i);
    bool last = i == FColumns.Count() - 1;
    RECT cell{left, rect.top, last ? rect.right : left + col->Width(), rect.bottom};
    if (!selected) {
      const TGdiHandle<HBRUSH> b(CreateSolidBrush(ColorToRGB(col->Color())));
      ::FillRect(dc, &cell, b);
    }
    int nextLeft = cell.right;
    cell.left += 2;
    cell.top += 1;
    if (col->ColumnType() == ctImage) {
      if (FImages) FImages->Draw(dc, cell.left, cell.top, row.FImageIndex);
    } else {
      AnsiString text = field < row.FStrings.Count() ? row.FStrings.Strings(field) : AnsiString();
      ++field;
      cell.right -= 2;
      TSelectedObject useFont(dc, col->Font().Handle());
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, ColorToRGB(selected ? (clSystemColor | COLOR_HIGHLIGHTTEXT)
                                           : col->Font().Color()));
      UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
      if (col->Alignment() == taRightJustify) flags |= DT_RIGHT;
      if (col->Alignment() == taCenter) flags |= DT_CENTER;
      if (col->Ellipsis() == etAtEnd) flags |= DT_END_ELLIPSIS;
      if (col->Ellipsis() == etInMiddle) flags |= DT_PATH_ELLIPSIS;
      DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &cell, flags);
    }
    left = nextLeft;
  }
  if (FGridLines) {
    const TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(clGray)));
    TSelectedObject usePen(dc, pen);
    MoveToEx(dc, rect.left, rect.bottom - 1, nullptr);
    LineTo(dc, rect.right, rect.bottom - 1);
    int x = rect.left;
    for (int i = 0; i + 1 < FColumns.Count(); ++i) {
      x += FColumns.Items(i)->Width();
      MoveToEx(dc, x, rect.top, nullptr);
      LineTo(dc, x, rect.bottom);
    }
  }
}

bool TColumnListBox::SearchFrom(int start) {
  AnsiString key = AnsiUpperCase(FSearch);
  for (int r = start; r < FListBoxItems.Count(); ++r) {
    AnsiString t = AnsiUpperCase(GetColumnItems(r, LookupColumn));
    if (t.compare(0, key.size(), key) == 0 && t.size() >= key.size()) {
      TCustomListBox::SetItemIndex(r);
      Click();
      Invalidate();
      return true;
    }
  }
  return false;
}

void TColumnListBox::KeyPress(char& key) {
  TCustomListBox::KeyPress(key);
  if (key == 0 || static_cast<unsigned char>(key) < 32) return;
  FSearch = LookupIncr ? FSearch + key : AnsiString(1, key);
  int sel = ItemIndex();
  bool found = false;
  if (LookupIncr || sel >= 0) found = SearchFrom(sel >= 0 ? sel : 0);
  if (!found) found = SearchFrom(0);
  if (!found && LookupIncr) {
    FSearch = AnsiString(1, key);
    found = SearchFrom(0);
  }
  if (found) key = 0;
}

void TColumnListBox::KeyDown(WORD& key, TShiftState shift) {
  if (key == VK_ESCAPE || (key >= VK_PRIOR && key <= VK_DOWN)) FSearch.clear();
  if (key == VK_BACK && !FSearch.empty()) FSearch.pop_back();
}

void TColumnListBox::UpdateHint(int row) {
  if (row == FHintRow) return;
  FHintRow = row;
  if (!ShowItemHint) return;
  if (row >= 0 && row < FListBoxItems.Count()) {
    AnsiString text;
    for (int c = 0; c < FColumns.Count(); ++c)
      if (FColumns.Items(c)->ColumnType() == ctText) text += " " + GetColumnItems(row, c);
    SetHint(text);
    SetShowHint(true);
  }
}

LRESULT TColumnListBox::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_MOUSEMOVE)
    UpdateHint(ItemAtPos(POINT{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))},
                         true));
  return TCustomListBox::WndProc(msg, w, l);
}
