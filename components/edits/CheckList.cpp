#include "components/edits/CheckList.h"

#include <cstdlib>
#include <vector>

#include "classlib/Exception.h"
#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"

// A picture that can stand as the object of a line.
class TCheckList::TCheckPicture : public TObject {
 public:
  TBitmap Bitmap;
};

namespace {

// The system's check-box bitmap (OBM_CHECKBOXES).
constexpr int kCheckBoxesBitmap = 32759;

bool isInteger(const AnsiString& s) {
  if (s.empty()) return false;
  char* end = nullptr;
  std::strtol(s.c_str(), &end, 10);
  size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
  return i < s.size() && *end == 0 && s.find(' ') == AnsiString::npos;
}

}  // namespace

const TClassInfo TCheckList::Info = PublishClass<TCheckList>("TCheckList", "ChkList", TWinControl::Info, {});

TCheckList::TCheckList(TComponent* owner)
    : TCustomListBox(owner), FChecked(new TCheckPicture), FUnchecked(new TCheckPicture) {
  SetStyle(lbOwnerDrawVariable);
  // The system's check boxes: 4 columns by 3 rows; the first cell of the top
  // row is the empty box, the one to its right the ticked box.
  const TGdiHandle<HBITMAP> sys(LoadBitmapA(nullptr, MAKEINTRESOURCEA(kCheckBoxesBitmap)));
  if (sys) {
    BITMAP info{};
    GetObjectA(sys, sizeof info, &info);
    int w = info.bmWidth / 4, h = info.bmHeight / 3;
    const TGdiHandle<HDC> src(CreateCompatibleDC(nullptr));
    TSelectedObject useSys(src, sys);
    FUnchecked->Bitmap.SetSize(w, h);
    FChecked->Bitmap.SetSize(w, h);
    BitBlt(FUnchecked->Bitmap.Canvas().Handle(), 0, 0, w, h, src, 0, 0, SRCCOPY);
    BitBlt(FChecked->Bitmap.Canvas().Handle(), 0, 0, w, h, src, w, 0, SRCCOPY);
  }
}

TCheckList::~TCheckList() {
  // The lines point at the pictures: they go first.
  DestroyHandle();
  for (int i = 0; i < Items().Count(); ++i) Items().PutObject(i, nullptr);
  delete FChecked;
  delete FUnchecked;
}

int TCheckList::PictureWidth() const { return FChecked->Bitmap.Width(); }

void TCheckList::CreateParams(TCreateParams& p) {
  TCustomListBox::CreateParams(p);
  if (FBoxStyle == clbTabBox) p.Style |= LBS_USETABSTOPS;
}

void TCheckList::HandleCreated() {
  TCustomListBox::HandleCreated();
}

void TCheckList::Loaded() {
  if (FBoxStyle == clbTabBox) IniTabs();
}

void TCheckList::Check(int index) {
  Items().PutObject(index, FChecked);
  InvalidateIndex(index);
}

void TCheckList::Uncheck(int index) {
  Items().PutObject(index, FUnchecked);
  InvalidateIndex(index);
}

bool TCheckList::IsChecked(int index) const {
  if (index < 0 || index >= Items().Count()) return false;
  return Items().Objects(index) == FChecked;
}

void TCheckList::InvalidateIndex(int index) {
  if (!FHandle) return;
  RECT r = ItemRect(index);
  InvalidateRect(FHandle, &r, FALSE);
}

void TCheckList::Toggle(int index) {
  if (IsChecked(index))
    Uncheck(index);
  else
    Check(index);
}

void TCheckList::SetBoxStyle(TCheckListWithTab style) {
  FBoxStyle = style;
  if (style == clbTabBox) IniTabs();
  Invalidate();
}

AnsiString TCheckList::TabsAt() const {
  AnsiString s;
  for (int i = 0; i < FTabs.Count(); ++i) {
    if (i) s += ';';
    s += FTabs.Strings(i);
  }
  return s;
}

void TCheckList::SetTabsAt(const AnsiString& value) {
  FTabs.Clear();
  if (value.empty()) return;
  AnsiString current;
  auto take = [&] {
    if (!isInteger(current)) throw Exception(current + ": Fehlerhafter Tabulator");
    FTabs.Add(current);
    current.clear();
  };
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == ';' && i >= 1)
      take();
    else
      current += value[i];
  }
  if (!current.empty()) take();
  Invalidate();
}

void TCheckList::IniTabs() {
  if (!FHandle || FTabs.Count() == 0) return;
  int ave = Font().Metrics().tmAveCharWidth;
  int base = LOWORD(GetDialogBaseUnits()) / 4;
  if (base <= 0) base = 1;
  std::vector<INT> stops;
  for (int i = 0; i < FTabs.Count(); ++i)
    stops.push_back(std::atoi(FTabs.Strings(i).c_str()) * ave / base);
  if (!SendMessageA(FHandle, LB_SETTABSTOPS, stops.size(), reinterpret_cast<LPARAM>(stops.data())))
    throw Exception("Konnte die Tabulatoren nicht setzen");
}

void TCheckList::DrawItem(int index, const RECT& rect, TOwnerDrawState state) {
  TCanvas& c = Canvas();
  HDC dc = c.Handle();
  int ave = c.Font.Metrics().tmAveCharWidth;
  std::vector<INT> tabs;
  for (int i = 0; i < FTabs.Count(); ++i) tabs.push_back(std::atoi(FTabs.Strings(i).c_str()) * ave);
  c.FillRect(rect);
  if (!Items().Objects(index)) Items().PutObject(index, FUnchecked);
  TBitmap& pic = IsChecked(index) ? FChecked->Bitmap : FUnchecked->Bitmap;
  int lineHeight = rect.bottom - rect.top;
  // Olive pixels of the picture stay transparent.
  TransparentBlt(dc, rect.left + 2, rect.top + (lineHeight - pic.Height()) / 2, pic.Width(),
                 pic.Height(), pic.Canvas().Handle(), 0, 0, pic.Width(), pic.Height(),
                 RGB(0x80, 0x80, 0));
  // The text keeps a check box's usual gap from the picture (which is
  // drawn two pixels in).
  int margin = 2 + pic.Width() + 4;
  AnsiString text = Items().Strings(index);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(c.Font.Color()));
  SelectObject(dc, c.Font.Handle());
  if (FBoxStyle == clbNormal) {
    TextOutA(dc, rect.left + margin, rect.top, text.c_str(), static_cast<int>(text.size()));
    return;
  }
  // The two characters backslash and "t" stand for a tab; a backslash before
  // any other character is dropped. Long texts are drawn whole.
  AnsiString out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\') {
      if (i + 1 < text.size()) {
        out += text[i + 1] == 't' ? '\t' : text[i + 1];
        ++i;
      }
    } else {
      out += text[i];
    }
  }
  TabbedTextOutA(dc, rect.left + margin, rect.top, out.c_str(), static_cast<int>(out.size()),
                 static_cast<int>(tabs.size()), tabs.empty() ? nullptr : tabs.data(), 0);
}

void TCheckList::MeasureItem(int index, int& height) {
  height = FChecked->Bitmap.Height();
  int fh = Font().Height() < 0 ? -Font().Height() : Font().Height();
  if (fh + 4 > height) height = fh + 4;
  TCustomListBox::MeasureItem(index, height);
}

void TCheckList::KeyPress(char& key) {
  TCustomListBox::KeyPress(key);
  if (key == ' ') {
    int i = ItemIndex();
    if (i >= 0) Toggle(i);
  }
}

void TCheckList::MouseDown(int x, int y, TShiftState shift) {
  int i = ItemAtPos(POINT{x, y}, true);
  if (i < 0) return;
  RECT r = ItemRect(i);
  if (x < r.left + PictureWidth() + 2) Toggle(i);
}
