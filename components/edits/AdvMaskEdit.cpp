#include "components/edits/AdvMaskEdit.h"

TAdvMaskEdit::TAdvMaskEdit(TComponent* owner) : TCustomMaskEdit(owner) {}

TAdvMaskEdit::~TAdvMaskEdit() { OnMaskComplete = nullptr; }

void TAdvMaskEdit::CreateParams(TCreateParams& p) {
  TCustomMaskEdit::CreateParams(p);
  if (FAlignment == taRightJustify) p.Style |= ES_RIGHT;
  if (FAlignment == taCenter) p.Style |= ES_CENTER;
}

void TAdvMaskEdit::SetAlignment(TAlignment a) {
  if (a == FAlignment) return;
  FAlignment = a;
  RecreateWnd();
}

void TAdvMaskEdit::SetLabelCaption(const AnsiString& caption) {
  EditLabel.Caption = caption;
  EditLabel.Update(*this);
}

void TAdvMaskEdit::SetLabelPosition(TLabelPosition position) {
  EditLabel.Position = position;
  EditLabel.Update(*this);
}

void TAdvMaskEdit::Loaded() {
  if (Border.Flat && Border.FlatParentColor && FParent) SetColor(FParent->Color());
  FNormalColor = FColor;
  FNormalFontColor = Font().Color();
  FDisabledBrush.SetColor(Border.DisabledColor);
  EditLabel.Update(*this);
  TEditBorder::Refresh(FHandle);
}

void TAdvMaskEdit::BoundsChanged() {
  TCustomMaskEdit::BoundsChanged();
  EditLabel.Update(*this);
}

void TAdvMaskEdit::VisibleChanged() {
  TCustomMaskEdit::VisibleChanged();
  EditLabel.Update(*this);
}

void TAdvMaskEdit::EnabledChanged() {
  TCustomMaskEdit::EnabledChanged();
  EditLabel.Update(*this);
  TEditBorder::Refresh(FHandle);
}

HBRUSH TAdvMaskEdit::CtlColor(HDC dc) {
  if (!FEnabled) {
    FDisabledBrush.SetColor(Border.DisabledColor);
    SetBkColor(dc, ColorToRGB(Border.DisabledColor));
    SetTextColor(dc, ColorToRGB(clGrayText));
    return FDisabledBrush.Handle();
  }
  return TCustomMaskEdit::CtlColor(dc);
}

void TAdvMaskEdit::DoEnter() {
  FNormalColor = FColor;
  FNormalFontColor = Font().Color();
  FFocusText = EditText();
  if (FocusColor != clNone) SetColor(FocusColor);
  if (FocusFontColor != clNone) Font().SetColor(FocusFontColor);
  if (IsMasked() && SelectFirstChar)
    SetSelection(0, 1);
  else if (AutoSelect)
    SetSelection(0, -1);
  TEditBorder::Refresh(FHandle);
  TCustomMaskEdit::DoEnter();
}

void TAdvMaskEdit::DoExit() {
  SetColor(FNormalColor);
  Font().SetColor(FNormalFontColor);
  TEditBorder::Refresh(FHandle);
  TCustomMaskEdit::DoExit();
}

bool TAdvMaskEdit::WantsKey(WORD key, UINT code) const {
  if (key == VK_RETURN) return ReturnIsTab && !(GetKeyState(VK_CONTROL) & 0x8000);
  if (key == VK_ESCAPE) return CanUndo && !FReadOnly;
  return TCustomMaskEdit::WantsKey(key, code);
}

LRESULT TAdvMaskEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_KEYDOWN:
      if (w == VK_RETURN && ReturnIsTab && !(GetKeyState(VK_CONTROL) & 0x8000)) {
        PostMessageA(FHandle, WM_KEYDOWN, VK_TAB, 0);
        return 0;
      }
      if (w == VK_ESCAPE && CanUndo && !FReadOnly) {
        SetEditText(FFocusText);
        SetSelection(0, -1);
        if (HWND parent = GetParent(FHandle)) {
          PostMessageA(parent, WM_KEYDOWN, VK_ESCAPE, 0);
          PostMessageA(parent, WM_KEYUP, VK_ESCAPE, 0xC0000001);
        }
        return 0;
      }
      break;
    case WM_CHAR: {
      if (w == '\r' && ReturnIsTab) return 0;
      LRESULT r = TCustomMaskEdit::WndProc(msg, w, l);
      if (ShowModified && w >= 32) Font().SetColor(ModifiedColor);
      return r;
    }
    case WM_KEYUP: {
      LRESULT r = TCustomMaskEdit::WndProc(msg, w, l);
      if (IsMasked() && Focused() && MaskFilled() && SelLength() == 0 &&
          SelStart() == static_cast<int>(EditText().size())) {
        bool accept = true;
        if (OnMaskComplete) OnMaskComplete(this, Text(), accept);
        if (AutoTab && accept && FHandle) PostMessageA(FHandle, WM_KEYDOWN, VK_TAB, 0);
      }
      return r;
    }
    case WM_MOUSEMOVE:
      if (AutoFocus && FEnabled && !Focused() && GetActiveWindow() == GetAncestor(FHandle, GA_ROOT))
        SetFocus();
      break;
    case WM_NCPAINT: {
      LRESULT r = TCustomMaskEdit::WndProc(msg, w, l);
      Border.Paint(FHandle, Focused(), FEnabled, FEnabled ? FColor : Border.DisabledColor);
      return r;
    }
    default:
      break;
  }
  return TCustomMaskEdit::WndProc(msg, w, l);
}
