#include "classlib/Menus.h"

#include <algorithm>

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  OnClick = nullptr;
  Clear();
  if (FParent) FParent->Remove(this);
}

TMenuItem* TMenuItem::Items(int index) const {
  return index >= 0 && index < Count() ? FItems[static_cast<size_t>(index)] : nullptr;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  for (TMenuItem* p = FParent; p; p = p->FParent)
    if (p == item) return;  // an item never holds its own ancestor
  if (item->FParent) item->FParent->Remove(item);
  index = std::clamp(index, 0, Count());
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  item->FParent = nullptr;
}

void TMenuItem::Clear() {
  while (!FItems.empty()) delete FItems.back();  // each leaves this list
}

void TMenuItem::Click() {
  if (FEnabled && OnClick) OnClick(this);
}
