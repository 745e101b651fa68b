#include "classlib/ComboBox.h"

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  FTabStop = true;
  FColor = clWindow;
  FBrush.SetColor(FColor);
  FWidth = 145;
  FHeight = 21;
  FItems.OnChange = [this] { FillList(); };
}

TComboBox::~TComboBox() { FItems.OnChange = nullptr; }

void TComboBox::SetStyle(TComboBoxStyle s) {
  if (s == FStyle) return;
  FItemIndex = ItemIndex();
  FText = Text();
  FStyle = s;
  RecreateWnd();
}

void TComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = "COMBOBOX";
  p.Style |= WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL |
             (FStyle == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
}

void TComboBox::HandleCreated() {
  BoundsChanged();
  FillList();
  if (FStyle == csDropDown && FItemIndex < 0) SetWindowTextA(FHandle, FText.c_str());
}

// The window's height includes the drop-down list.
void TComboBox::BoundsChanged() {
  if (FHandle)
    SetWindowPos(FHandle, nullptr, FLeft, FTop, FWidth, FHeight + FDropDownCount * 16 + 4,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::FillList() {
  if (!FHandle) return;
  SendMessageA(FHandle, CB_RESETCONTENT, 0, 0);
  for (int32_t i = 0; i < FItems.Count(); ++i)
    SendMessageA(FHandle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FItems.Strings(i).c_str()));
  if (FItemIndex >= FItems.Count()) FItemIndex = -1;
  SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

int TComboBox::ItemIndex() const {
  if (!FHandle) return FItemIndex;
  return static_cast<int>(SendMessageA(FHandle, CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= FItems.Count()) index = -1;
  FItemIndex = index;
  if (FHandle) SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

AnsiString TComboBox::Text() const {
  return WindowText();
}

void TComboBox::CommandNotify(WORD code) {
  if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) {
    FItemIndex = ItemIndex();
    if (OnChange) OnChange(this);
  }
}

HBRUSH TComboBox::CtlColor(HDC dc) {
  SetBkColor(dc, ColorToRGB(FColor));
  SetTextColor(dc, ColorToRGB(FFont.Color()));
  return BackgroundBrush();
}
