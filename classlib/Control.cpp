#include "classlib/Control.h"

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/WinControl.h"

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  return s;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  FBrush.SetColor(FColor);
  FFont.OnChange = [this] {
    FParentFont = false;
    FontChanged();
    if (auto* w = dynamic_cast<TWinControl*>(this)) {
      for (TControl* c : w->FControls)
        if (c->FParentFont) c->ParentFontChanged();
    }
  };
}

TControl::~TControl() {
  FFont.OnChange = nullptr;
  if (Application) Application->ControlDestroyed(this);
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* windowed = dynamic_cast<TWinControl*>(parent)) SetParent(windowed);
}

TCustomForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->FParent) c = c->FParent;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  if (!dynamic_cast<TWinControl*>(this)) Invalidate();
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  BoundsChanged();
}

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  FVisible = visible;
  VisibleChanged();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  EnabledChanged();
}

void TControl::SetParentFont(bool v) {
  FParentFont = v;
  if (v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParent) return;
  auto handler = std::move(FFont.OnChange);
  FFont.OnChange = nullptr;
  FFont.Assign(FParent->Font());
  FFont.OnChange = std::move(handler);
  FParentFont = true;
  FontChanged();
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    for (TControl* c : w->FControls)
      if (c->FParentFont) c->ParentFontChanged();
  }
}

void TControl::SetColor(TColor c) {
  FColor = c;
  FBrush.SetColor(c);
  ColorChanged();
}

void TControl::SetHint(const AnsiString& hint) {
  FHint = hint;
  HintChanged();
}

void TControl::SetShowHint(bool v) {
  FShowHint = v;
  HintChanged();
}

void TControl::SetText(const AnsiString& text) {
  if (text == Text()) return;
  FText = text;
  TextChanged();
}

void TControl::SetName(const AnsiString& name) {
  TComponent::SetName(name);
  NameChanged();
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::Invalidate() {
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    if (w->HandleAllocated()) InvalidateRect(w->FHandle, nullptr, TRUE);
  } else if (FParent && FParent->HandleAllocated()) {
    RECT r = BoundsRect();
    InvalidateRect(FParent->FHandle, &r, TRUE);
  }
}

bool TControl::ContainsPoint(POINT p) const {
  return p.x >= FLeft && p.y >= FTop && p.x < FLeft + FWidth && p.y < FTop + FHeight;
}

HBRUSH TControl::BackgroundBrush() { return FBrush.Handle(); }

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

TControl* FindControl(HWND window) {
  if (!window) return nullptr;
  return static_cast<TControl*>(static_cast<TWinControl*>(GetPropA(window, "KelControl")));
}

AnsiString ControlNameOf(HWND window) {
  ATOM atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(window, "KelName")));
  if (!atom) return AnsiString();
  char buf[256];
  UINT n = GlobalGetAtomNameA(atom, buf, sizeof buf);
  return AnsiString(buf, n);
}

bool IsAccel(char key, const AnsiString& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    const auto upper = [](char c) {
      char one[2] = {c, 0};
      CharUpperBuffA(one, 1);
      return one[0];
    };
    return upper(caption[i + 1]) == upper(key);
  }
  return false;
}
