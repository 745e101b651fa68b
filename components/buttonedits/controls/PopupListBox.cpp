#include "components/buttonedits/controls/PopupListBox.h"

#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"
#include "components/buttonedits/controls/ColorNames.h"
#include "components/buttonedits/controls/EditOwner.h"
#include "components/buttonedits/controls/PopupMetrics.h"
#include "components/buttonedits/controls/StyleNames.h"

TPopupListBox::TPopupListBox(TComponent* owner) : TDCListBox(owner) {
  FVisible = false;
  FTabStop = false;
  FColor = clWindow;
  ResetItemHeight();
}

void TPopupListBox::SetDisplayNames(bool v) {
  FDisplayNames = v;
  Invalidate();
}

void TPopupListBox::CreateParams(TCreateParams& p) {
  TDCListBox::CreateParams(p);
  // A top-level window owned by the edit's form: it may stand out of the
  // form and is never clipped by it.
  p.Style &= ~(WS_CHILD | WS_TABSTOP);
  p.Style |= WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
  p.ExStyle &= ~WS_EX_CLIENTEDGE;
  p.ExStyle |= WS_EX_TOOLWINDOW;
}

void TPopupListBox::HandleCreated() {
  BuildList();
  TDCListBox::HandleCreated();
  // Every style takes the line height, so that whole rows fill the list.
  SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, ItemHeight());
}

void TPopupListBox::FontChanged() {
  TDCListBox::FontChanged();
  ResetItemHeight();
}

void TPopupListBox::ResetItemHeight() {
  SetItemHeight(PopupItemHeight(FFont.Metrics().tmHeight));
  if (FHandle) SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, ItemHeight());
}

SIZE TPopupListBox::ClientSize() const {
  RECT r{};
  if (FHandle) GetClientRect(FHandle, &r);
  return SIZE{r.right, r.bottom};
}

void TPopupListBox::SetClientWidth(int width) {
  HWND h = Handle();
  if (!h) return;
  RECT c{}, w{};
  GetClientRect(h, &c);
  GetWindowRect(h, &w);
  int frame = (w.right - w.left) - c.right;
  SetWindowPos(h, nullptr, 0, 0, width + frame, w.bottom - w.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  FWidth = width + frame;
}

void TPopupListBox::AdjustHeight() {
  HWND h = Handle();
  if (!h) return;
  RECT c{}, w{};
  GetClientRect(h, &c);
  GetWindowRect(h, &w);
  int frame = (w.bottom - w.top) - c.bottom;
  int rows = PopupRowCount(static_cast<int>(SendMessageA(h, LB_GETCOUNT, 0, 0)));
  int height = ItemHeight() * rows + frame;
  SetWindowPos(h, nullptr, 0, 0, w.right - w.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  FHeight = height;
}

void TPopupListBox::SetValueText(const std::string& text) {
  LRESULT i = SendMessageA(FHandle, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(FHandle, LB_SETCURSEL, i == LB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(i), 0);
}

std::string TPopupListBox::ValueText() {
  int i = ItemIndex();
  return i >= 0 && i < Items().Count() ? Items().Strings(i) : std::string();
}

void TPopupListBox::CommandNotify(WORD code) {
  TDCListBox::CommandNotify(code);
  if (code == LBN_SELCHANGE)
    if (TEditOwner* edit = EditOwnerOf(this)) edit->Change();
}

void TPopupListBox::Close(bool accept) {
  if (TEditOwner* edit = EditOwnerOf(this)) edit->CloseDropped(accept);
}

void TPopupListBox::SelectAt(POINT p) {
  int i = ItemAtPos(p, true);
  if (i >= 0 && i != ItemIndex()) SetItemIndex(i);
}

LRESULT TPopupListBox::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_SETTEXT:
      SetValueText(l ? reinterpret_cast<const char*>(l) : "");
      AdjustHeight();
      return TRUE;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(ValueText().size());
    case WM_GETTEXT: {
      std::string text = ValueText();
      if (w == 0 || !l) return 0;
      size_t n = std::min(text.size(), static_cast<size_t>(w) - 1);
      memcpy(reinterpret_cast<char*>(l), text.data(), n);
      reinterpret_cast<char*>(l)[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_LBUTTONDOWN: {
      SelectAt(POINT{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))});
      LineClicked();
      return 0;
    }
    case WM_MOUSEMOVE: {
      LRESULT r = TDCListBox::WndProc(msg, w, l);
      if (!(GetAsyncKeyState(VK_LBUTTON) & 0x8000) && !(w & MK_LBUTTON)) return r;
      POINT p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
      RECT c{};
      GetClientRect(FHandle, &c);
      int count = Items().Count();
      if (p.y >= c.bottom) {
        if (ItemIndex() + 1 < count) SetItemIndex(ItemIndex() + 1);
      } else if (p.y < 0) {
        if (ItemIndex() > 0) SetItemIndex(ItemIndex() - 1);
      } else {
        SelectAt(p);
      }
      return r;
    }
    case WM_LBUTTONUP: {
      POINT p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
      RECT c{};
      GetClientRect(FHandle, &c);
      if (GetCapture() == FHandle) ReleaseCapture();
      Close(PtInRect(&c, p) != FALSE);
      return 0;
    }
    case WM_KEYDOWN:
      if ((w == VK_RETURN || w == VK_ESCAPE) && KeyboardShiftState() == 0) {
        Close(w == VK_RETURN);
        return 0;
      }
      break;
    case WM_CHAR:
      if (w == VK_RETURN || w == VK_ESCAPE) return 0;
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTARROWS;
    default:
      break;
  }
  return TDCListBox::WndProc(msg, w, l);
}

// --- value boxes -----------------------------------------------------------

TPopupValueBox::TPopupValueBox(TComponent* owner) : TPopupListBox(owner) {
  SetStyle(lbOwnerDrawFixed);
  FDisplayNames = true;
}

void TPopupValueBox::AdjustWidth(const char* widestName) {
  int width = 42;
  if (FDisplayNames) {
    HDC dc = GetDC(nullptr);
    SIZE s{};
    {
      TSelectedObject useFont(dc, FFont.Handle());
      GetTextExtentPoint32A(dc, widestName, static_cast<int>(strlen(widestName)), &s);
    }
    ReleaseDC(nullptr, dc);
    width += s.cx;
  }
  SetClientWidth(width + GetSystemMetrics(SM_CXVSCROLL));
}

void TPopupValueBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state) {
  TCanvas& c = Canvas();
  c.FillRect(rect);
  if (index < 0 || index >= Items().Count()) return;
  RECT box = rect;
  box.right = FDisplayNames ? rect.left + 22 : rect.right - 3;
  InflateRect(&box, -2, -2);
  DrawSample(c, index, box);
  if (FDisplayNames) {
    RECT text = rect;
    text.left += 28;
    HDC dc = c.Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(c.Font.Color()));
    TSelectedObject useFont(dc, c.Font.Handle());
    std::string name = DisplayName(index);
    DrawTextA(dc, name.c_str(), static_cast<int>(name.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
}

TPopupColorBox::TPopupColorBox(TComponent* owner) : TPopupValueBox(owner) {}

void TPopupColorBox::BuildList() {
  Items().BeginUpdate();
  Items().Clear();
  for (int i = 0; i < kColorListCount; ++i) Items().Add(ColorList()[i].Name);
  Items().EndUpdate();
}

TColor TPopupColorBox::ColorAt(int index) const {
  return index >= 0 && index < kColorListCount ? ColorList()[index].Value : clNone;
}

std::string TPopupColorBox::DisplayName(int index) const {
  std::string name = Items().Strings(index);
  return name.compare(0, 2, "cl") == 0 ? name.substr(2) : name;
}

void TPopupColorBox::SetValueText(const std::string& text) {
  AdjustWidth("clInactiveCaptionText");
  SetItemIndex(-1);
  for (int i = 0; i < Items().Count(); ++i)
    if (ColorAt(i) == FValue) SetItemIndex(i);
  for (int i = 0; i < Items().Count(); ++i)
    if (Items().Strings(i) == text) {
      SetItemIndex(i);
      FValue = ColorAt(i);
    }
}

std::string TPopupColorBox::ValueText() {
  int i = ItemIndex();
  if (i < 0) return std::string();
  FValue = ColorAt(i);
  return Items().Strings(i);
}

void TPopupColorBox::LineClicked() {
  if (ItemIndex() >= 0) FValue = ColorAt(ItemIndex());
}

void TPopupColorBox::DrawSample(TCanvas& canvas, int index, const RECT& box) {
  TColor color = ColorAt(index);
  HDC dc = canvas.Handle();
  FrameRect(dc, &box, TGdiHandle<HBRUSH>(CreateSolidBrush(RGB(0, 0, 0))));
  if (color != clNone) {
    RECT inner = box;
    InflateRect(&inner, -1, -1);
    FillRect(dc, &inner, TGdiHandle<HBRUSH>(CreateSolidBrush(ColorToRGB(color))));
  }
}

int BrushHatchStyle(int brushStyle) {
  static const int hatch[] = {-1, -1, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
  return brushStyle >= 0 && brushStyle < 8 ? hatch[brushStyle] : -1;
}

TPopupBrushBox::TPopupBrushBox(TComponent* owner) : TPopupValueBox(owner) {}

void TPopupBrushBox::BuildList() {
  Items().BeginUpdate();
  Items().Clear();
  for (int i = 0; i < kBrushStyleCount; ++i) Items().Add(BrushStyleName(i));
  Items().EndUpdate();
}

void TPopupBrushBox::SetValueText(const std::string& text) {
  AdjustWidth("Horizontal");
  int style = BrushStyleFromText(text);
  if (style >= 0) FValue = style;
  SetItemIndex(style);
}

std::string TPopupBrushBox::ValueText() {
  int i = ItemIndex();
  if (i < 0) return std::string();
  FValue = i;
  return BrushStyleText(i);
}

void TPopupBrushBox::DrawSample(TCanvas& canvas, int index, const RECT& box) {
  HDC dc = canvas.Handle();
  FillRect(dc, &box, TGdiHandle<HBRUSH>(CreateSolidBrush(ColorToRGB(clInfoBk))));
  if (index != 1) {
    int hatch = BrushHatchStyle(index);
    const TGdiHandle<HBRUSH> b(hatch < 0 ? CreateSolidBrush(RGB(0, 0, 0)) : CreateHatchBrush(hatch, RGB(0, 0, 0)));
    int mode = SetBkMode(dc, TRANSPARENT);
    FillRect(dc, &box, b);
    SetBkMode(dc, mode);
  }
  FrameRect(dc, &box, TGdiHandle<HBRUSH>(CreateSolidBrush(RGB(0, 0, 0))));
}

TPopupPenBox::TPopupPenBox(TComponent* owner) : TPopupValueBox(owner) {}

void TPopupPenBox::BuildList() {
  Items().BeginUpdate();
  Items().Clear();
  for (int i = 0; i < kPenStyleCount; ++i) Items().Add(PenStyleText(i));
  Items().EndUpdate();
}

std::string TPopupPenBox::DisplayName(int index) const { return Items().Strings(index).substr(2); }

void TPopupPenBox::SetValueText(const std::string& text) {
  AdjustWidth("InsideFrame");
  int style = PenStyleFromText(text);
  if (style >= 0) FValue = style;
  SetItemIndex(style);
}

std::string TPopupPenBox::ValueText() {
  int i = ItemIndex();
  if (i < 0) return std::string();
  FValue = i;
  return PenStyleText(i);
}

void TPopupPenBox::DrawSample(TCanvas& canvas, int index, const RECT& box) {
  HDC dc = canvas.Handle();
  const TGdiHandle<HPEN> pen(CreatePen(index, 1, RGB(0, 0, 0)));
  TSelectedObject usePen(dc, pen);
  int mode = SetBkMode(dc, TRANSPARENT);
  int y = (box.top + box.bottom) / 2;
  MoveToEx(dc, box.left, y, nullptr);
  LineTo(dc, box.right, y);
  SetBkMode(dc, mode);
}
