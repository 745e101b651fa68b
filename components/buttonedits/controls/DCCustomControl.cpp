#include "components/buttonedits/controls/DCCustomControl.h"

#include "components/buttonedits/runtime/ObjectParams.h"
#include "components/buttonedits/runtime/ResourceStrings.h"

TDCCustomControl::TDCCustomControl(TComponent* owner)
    : TWinControl(owner), FKeyMapping(LoadResString(dcconsts::_SDefaultKeyMapping)) {
  FTabStop = true;
}

void TDCCustomControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style |= WS_TABSTOP;
}

void TDCCustomControl::SetKeyMapping(const AnsiString& name) {
  if (name == FKeyMapping) return;
  FKeyMapping = name;
  UpdateKeyMapping();
}

void TDCCustomControl::UpdateKeyMapping() {
  FKeyList.Clear();
  if (TKeyboardInitProc init = GetKeyboardInitProc(KeyMapClassName(), FKeyMapping))
    init(this);
  else
    InitDefaultKeyMapping();
}

bool TDCCustomControl::WantsKey(WORD key, UINT code) const {
  if (key == VK_TAB) return FWantTabs;
  if (key == VK_RETURN) return FWantReturns;
  return TWinControl::WantsKey(key, code);
}

bool TDCCustomControl::KeyDown(WORD& key, TShiftState shift) {
  FKeyHandled = false;
  if ((key == VK_RETURN && !FWantReturns) || (key == VK_TAB && !FWantTabs)) return false;
  if (key == 0) return false;
  if (!FKeyList.Dispatch(key, shift)) return false;
  key = 0;
  FKeyHandled = true;
  return true;
}

LRESULT TDCCustomControl::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTARROWS | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
      if (FWantTabs) code |= DLGC_WANTTAB;
      if (!FWantReturns) code &= ~DLGC_WANTALLKEYS;
      return code;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      if (OnKeyDown) {
        WORD key = static_cast<WORD>(w);
        OnKeyDown(this, key, KeyboardShiftState());
        if (key == 0) return 0;
        w = key;
      }
      WORD key = static_cast<WORD>(w);
      FSwallowChar = false;
      if (KeyDown(key, KeyboardShiftState())) {
        FSwallowChar = true;
        return 0;
      }
      return DefaultHandler(msg, w, l);
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
      FKeyHandled = false;
      break;
    case WM_CHAR: {
      // The character of a key the key list took, or one inside a
      // sequence, is not typed.
      if (FSwallowChar || FKeyList.State() != 0) {
        FSwallowChar = false;
        return 0;
      }
      char c = static_cast<char>(w);
      if (FOemConvert) CharToOemBuffA(&c, &c, 1);
      if (InsertChar(c)) return 0;
      break;
    }
    default:
      break;
  }
  return TWinControl::WndProc(msg, w, l);
}
