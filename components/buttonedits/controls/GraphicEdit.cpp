#include "components/buttonedits/controls/GraphicEdit.h"

#include <cstring>

#include "classlib/Exception.h"
#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"
#include "components/buttonedits/controls/ColorNames.h"
#include "components/buttonedits/controls/EditOwner.h"
#include "components/buttonedits/controls/PopupListBox.h"
#include "components/buttonedits/controls/StyleNames.h"

TGraphicEdit::TGraphicEdit(TComponent* owner, std::string initial) : TWinControl(owner), FValue(std::move(initial)) {
  FColor = clWindow;
}

void TGraphicEdit::SetValue(const std::string& value) { FValue = value; }

void TGraphicEdit::SetText(const AnsiString& value) {
  CheckValue(value);
  if (FHandle) SendMessageA(FHandle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
  else SetValue(value);
}

void TGraphicEdit::HandleCreated() {
  TWinControl::HandleCreated();
  NotifyEditorHandleCreated(this);
}

RECT TGraphicEdit::ClientRect() const {
  RECT r{};
  if (FHandle) GetClientRect(FHandle, &r);
  return r;
}

bool TGraphicEdit::FocusedLook() const {
  TEditOwner* edit = EditOwnerOf(const_cast<TGraphicEdit*>(this));
  return FHandle && GetFocus() == FHandle && (!edit || edit->DisplayFocusedLook());
}

void TGraphicEdit::EnabledChanged() {
  TWinControl::EnabledChanged();
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

LRESULT TGraphicEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_SETTEXT:
      // A value the editor cannot show is refused here rather than raised
      // through the window procedure.
      try {
        SetValue(l ? reinterpret_cast<const char*>(l) : "");
      } catch (const Exception&) {
        return FALSE;
      }
      if (TEditOwner* edit = EditOwnerOf(this)) edit->Change();
      InvalidateRect(FHandle, nullptr, TRUE);
      return TRUE;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(FValue.size());
    case WM_GETTEXT: {
      if (w == 0 || !l) return 0;
      size_t n = std::min(FValue.size(), static_cast<size_t>(w) - 1);
      memcpy(reinterpret_cast<char*>(l), FValue.data(), n);
      reinterpret_cast<char*>(l)[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(FHandle, &ps);
      PaintToCanvas(dc, 0, 0);
      EndPaint(FHandle, &ps);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      LRESULT r = TWinControl::WndProc(msg, w, l);
      InvalidateRect(FHandle, nullptr, TRUE);
      return r;
    }
    default:
      break;
  }
  return TWinControl::WndProc(msg, w, l);
}

void TColorEdit::CheckValue(const std::string& value) const {
  StringToColor(value);  // raises for a text that is no colour
}

void TColorEdit::SetValue(const std::string& value) {
  CheckValue(value);
  TGraphicEdit::SetValue(value);
}

void TColorEdit::PaintToCanvas(HDC dc, int x, int y) {
  RECT r = ClientRect();
  OffsetRect(&r, x, y);
  bool focused = FocusedLook();
  HBRUSH back = GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_WINDOW);
  FillRect(dc, &r, back);
  int side = r.bottom - r.top;
  RECT box{r.left + 2, r.top + 2, r.left + 2 + std::max(side - 4, 0) * 2, r.bottom - 2};
  FrameRect(dc, &box, TGdiHandle<HBRUSH>(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW))));
  TColorValue color = StringToColor(FValue);
  if (color != kColorNone) {
    InflateRect(&box, -1, -1);
    FillRect(dc, &box, TGdiHandle<HBRUSH>(CreateSolidBrush(ColorToRGB(color))));
    InflateRect(&box, 1, 1);
  }
  RECT text{box.right + 4, r.top, r.right, r.bottom};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  TSelectedObject useFont(dc, FFont.Handle());
  DrawTextA(dc, FValue.c_str(), static_cast<int>(FValue.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TPenStyleEdit::PaintToCanvas(HDC dc, int x, int y) {
  RECT r = ClientRect();
  OffsetRect(&r, x, y);
  FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
  int style = std::max(PenStyleFromText(FValue), 0);
  const TGdiHandle<HPEN> pen(CreatePen(style, 1, RGB(0, 0, 0)));
  TSelectedObject usePen(dc, pen);
  SetBkMode(dc, TRANSPARENT);
  int mid = (r.top + r.bottom) / 2;
  MoveToEx(dc, r.left + 2, mid, nullptr);
  LineTo(dc, r.right - 2, mid);
}

void TBrushStyleEdit::PaintToCanvas(HDC dc, int x, int y) {
  RECT r = ClientRect();
  OffsetRect(&r, x, y);
  FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
  int side = r.bottom - r.top;
  RECT box{r.left + 2, r.top + 2, r.left + 2 + std::max(side - 4, 0) * 2, r.bottom - 2};
  FillRect(dc, &box, TGdiHandle<HBRUSH>(CreateSolidBrush(GetSysColor(COLOR_INFOBK))));
  int style = std::max(BrushStyleFromText(FValue), 0);
  if (style != 1) {
    int hatch = BrushHatchStyle(style);
    SetBkMode(dc, TRANSPARENT);
    FillRect(dc, &box,
             TGdiHandle<HBRUSH>(hatch < 0 ? CreateSolidBrush(RGB(0, 0, 0)) : CreateHatchBrush(hatch, RGB(0, 0, 0))));
  }
  RECT text{box.right + 4, r.top, r.right, r.bottom};
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  {
    TSelectedObject useFont(dc, FFont.Handle());
    DrawTextA(dc, FValue.c_str(), static_cast<int>(FValue.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  if (FHandle && GetFocus() == FHandle) DrawFocusRect(dc, &r);
}

bool TGraphEdit::ShowsGraphic() {
  TEditOwner* edit = EditOwnerOf(this);
  TBitmap* graphic = GetGraphic();
  return edit && edit->IsPropertyEditor() && graphic && !graphic->Empty();
}

void TGraphEdit::PaintToCanvas(HDC dc, int x, int y) {
  RECT r = ClientRect();
  OffsetRect(&r, x, y);
  if (!ShowsGraphic()) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    return;
  }
  TBitmap* graphic = GetGraphic();
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, graphic->Canvas().Handle(), 0, 0,
             graphic->Width(), graphic->Height(), SRCCOPY);
}

LRESULT TGraphEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_ERASEBKGND && ShowsGraphic() && GraphicTransparent()) {
    RECT r = ClientRect();
    FillRect(reinterpret_cast<HDC>(w), &r, GetSysColorBrush(COLOR_WINDOW));
    return 1;
  }
  return TGraphicEdit::WndProc(msg, w, l);
}
