#include "components/buttonedits/controls/CheckEdit.h"

#include <cstring>

#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"
#include "components/buttonedits/controls/EditOwner.h"
#include "components/buttonedits/controls/TextMarkup.h"

TCheckEdit::TCheckEdit(TComponent* owner) : TWinControl(owner) {
  FColor = clWindow;
  FTabStop = true;
}

void TCheckEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style |= WS_TABSTOP;
}

void TCheckEdit::HandleCreated() {
  TWinControl::HandleCreated();
  NotifyEditorHandleCreated(this);
}

void TCheckEdit::SetScaled(bool v) {
  FScaled = v;
  Invalidate();
}

void TCheckEdit::Toggle() {
  TEditOwner* edit = EditOwnerOf(this);
  if (edit && edit->GetReadOnly()) return;
  if (FChecked && dynamic_cast<TRadioEdit*>(this)) return;
  FChecked = !FChecked;
  if (edit) edit->Change();
  Invalidate();
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
  FModified = true;
  if (edit) edit->Term();
}

void TCheckEdit::Paint(HDC dc) {
  RECT r{};
  GetClientRect(FHandle, &r);
  FillRect(dc, &r, BackgroundBrush());
  int side = r.bottom - r.top;
  RECT box{r.left + 1, r.top + 1, r.left + side - 1, r.bottom - 1};
  if (!FScaled) {
    UINT state = DFCS_BUTTONCHECK | GetWinStyle();
    if (GetWinStyle() != 0) state = GetWinStyle();
    if (FChecked) state |= DFCS_CHECKED;
    if (!FEnabled) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
    return;
  }
  // The mark as text, embossed when disabled.
  const char* mark = FChecked ? "\xFC" : "";
  const TGdiHandle<HFONT> font(
      CreateFontA(-(side - 2), 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, "Wingdings"));
  TSelectedObject useFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  if (!FEnabled) {
    RECT shifted = box;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(dc, mark, -1, &shifted, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  } else {
    SetTextColor(dc, ColorToRGB(FFont.Color()));
  }
  DrawTextA(dc, mark, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT TCheckEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_SETTEXT: {
      bool on = CheckTextIsOn(l ? reinterpret_cast<const char*>(l) : "");
      if (on != FChecked) {
        FChecked = on;
        InvalidateRect(FHandle, nullptr, TRUE);
      }
      FModified = false;
      return TRUE;
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(strlen(CheckStateText(FChecked)));
    case WM_GETTEXT: {
      const char* text = CheckStateText(FChecked);
      if (w == 0 || !l) return 0;
      size_t n = std::min(strlen(text), static_cast<size_t>(w) - 1);
      memcpy(reinterpret_cast<char*>(l), text, n);
      reinterpret_cast<char*>(l)[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(FHandle, &ps);
      Paint(dc);
      EndPaint(FHandle, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS;
    case WM_CHAR:
      if (w == ' ') {
        Toggle();
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {  // no double clicks: the second press is a press
      if (CanFocus()) SetFocus();
      RECT r{};
      GetClientRect(FHandle, &r);
      int x = static_cast<short>(LOWORD(l));
      if (FFreeClick || x < r.bottom + 2) Toggle();
      Click();
      return 0;
    }
    default:
      break;
  }
  return TWinControl::WndProc(msg, w, l);
}
