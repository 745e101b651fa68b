#include "classlib/RadioGroup.h"

#include <algorithm>

class TRadioGroup::TGroupButton : public TWinControl {
 public:
  TGroupButton(TRadioGroup* group) : TWinControl(nullptr), FGroup(group) {}
  void SetChecked(bool v) {
    FChecked = v;
    SetTabStop(v);
    if (FHandle) SendMessageA(FHandle, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  }

 protected:
  void CreateParams(TCreateParams& p) override {
    TWinControl::CreateParams(p);
    p.ClassName = "BUTTON";
    p.Style |= BS_RADIOBUTTON | (FTabStop ? WS_TABSTOP : 0);
  }
  void HandleCreated() override {
    SendMessageA(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  void CommandNotify(WORD code) override {
    if (code == BN_CLICKED) FGroup->ButtonClicked(this);
  }
  void DoEnter() override {
    TWinControl::DoEnter();
    // Moving the focus onto a radio button chooses it, as in dialogs.
    if (!FChecked && GetKeyState(VK_LBUTTON) >= 0) FGroup->ButtonClicked(this);
  }

 private:
  TRadioGroup* FGroup;
  bool FChecked = false;
};

TRadioGroup::TRadioGroup(TComponent* owner) : TWinControl(owner) {
  FWidth = 185;
  FHeight = 105;
  FItems.OnChange = [this] { UpdateButtons(); };
}

TRadioGroup::~TRadioGroup() { FItems.OnChange = nullptr; }

void TRadioGroup::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = "BUTTON";
  p.Style |= BS_GROUPBOX;
}

LRESULT TRadioGroup::WndProc(UINT msg, WPARAM w, LPARAM l) {
  // The system's group box paints only its frame and caption: the inside
  // takes the group's colour here, or it would show what lay there before.
  if (msg == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(FHandle, &r);
    FillRect(reinterpret_cast<HDC>(w), &r, BackgroundBrush());
    return 1;
  }
  return TWinControl::WndProc(msg, w, l);
}

TWinControl* TRadioGroup::Buttons(int index) const {
  return index >= 0 && index < static_cast<int>(FButtons.size()) ? FButtons[index] : nullptr;
}

void TRadioGroup::UpdateButtons() {
  while (FButtons.size() > static_cast<size_t>(FItems.Count())) {
    TGroupButton* b = FButtons.back();
    FButtons.pop_back();
    RemoveControl(b);
    delete b;
  }
  while (FButtons.size() < static_cast<size_t>(FItems.Count())) {
    auto* b = new TGroupButton(this);
    FButtons.push_back(b);
    b->SetParent(this);
  }
  for (size_t i = 0; i < FButtons.size(); ++i) {
    FButtons[i]->SetText(FItems.Strings(static_cast<int32_t>(i)));
    FButtons[i]->SetChecked(static_cast<int>(i) == FItemIndex);
  }
  if (FItemIndex >= static_cast<int>(FButtons.size())) FItemIndex = -1;
  if (FItemIndex < 0 && !FButtons.empty()) FButtons.front()->SetTabStop(true);
  ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
  if (FButtons.empty()) return;
  int cols = std::max(1, FColumns);
  int rows = (static_cast<int>(FButtons.size()) + cols - 1) / cols;
  int top = -FFont.Height() + 6;
  int colWidth = (FWidth - 10) / cols;
  int rowHeight = std::max(1, (FHeight - top - 4) / rows);
  for (size_t i = 0; i < FButtons.size(); ++i) {
    int col = static_cast<int>(i) / rows, row = static_cast<int>(i) % rows;
    FButtons[i]->SetBounds(8 + col * colWidth, top + row * rowHeight, colWidth - 4,
                           std::min(rowHeight, -FFont.Height() + 8));
  }
}

void TRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= FItems.Count()) index = -1;
  FItemIndex = index;
  for (size_t i = 0; i < FButtons.size(); ++i)
    FButtons[i]->SetChecked(static_cast<int>(i) == index);
  if (index < 0 && !FButtons.empty()) FButtons.front()->SetTabStop(true);
}

void TRadioGroup::SetColumns(int n) {
  FColumns = std::clamp(n, 1, 16);
  ArrangeButtons();
}

void TRadioGroup::ButtonClicked(TGroupButton* button) {
  auto it = std::find(FButtons.begin(), FButtons.end(), button);
  if (it == FButtons.end()) return;
  int index = static_cast<int>(it - FButtons.begin());
  if (index == FItemIndex) return;
  SetItemIndex(index);
  Click();
}

bool TRadioGroup::DialogKey(WORD key, TShiftState shift) {
  if (key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN) {
    int n = static_cast<int>(FButtons.size());
    if (n == 0) return true;
    int step = (key == VK_LEFT || key == VK_UP) ? n - 1 : 1;
    int next = FItemIndex < 0 ? 0 : (FItemIndex + step) % n;
    SetItemIndex(next);
    FButtons[next]->SetFocus();
    Click();
    return true;
  }
  return TWinControl::DialogKey(key, shift);
}

void TRadioGroup::BoundsChanged() {
  TWinControl::BoundsChanged();
  ArrangeButtons();
}

void TRadioGroup::FontChanged() {
  TWinControl::FontChanged();
  ArrangeButtons();
}
