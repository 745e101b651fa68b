#include "xml/dom/XpPointerList.h"

#include <algorithm>

#include "classlib/Exception.h"
#include "classlib/Format.h"

void TXpPointerList::CheckIndex(int32_t index, int32_t limit) const {
  if (index < 0 || index > limit)
    throw EListError(Format("Listenindex überschreitet das Maximum (%d)", static_cast<int>(index)));
}

void TXpPointerList::Grow() { FList.resize(FList.size() + 64, nullptr); }

void TXpPointerList::SetCapacity(int32_t capacity) {
  if (capacity < 0) capacity = 0;
  FList.resize(static_cast<size_t>(capacity), nullptr);
  FCount = std::min(FCount, capacity);
}

void TXpPointerList::SetCount(int32_t count) {
  if (count < 0) count = 0;
  if (count > GetCapacity()) SetCapacity(count);
  for (int32_t i = FCount; i < count; ++i) FList[static_cast<size_t>(i)] = nullptr;
  FCount = count;
}

void TXpPointerList::Append(void* p) {
  if (FCount == GetCapacity()) Grow();
  FList[static_cast<size_t>(FCount++)] = p;
}

void TXpPointerList::Insert(void* p, int32_t index) {
  CheckIndex(index, FCount);
  if (FCount == GetCapacity()) Grow();
  std::copy_backward(FList.begin() + index, FList.begin() + FCount, FList.begin() + FCount + 1);
  FList[static_cast<size_t>(index)] = p;
  ++FCount;
}

void TXpPointerList::RemoveAt(int32_t index) {
  CheckIndex(index, FCount - 1);
  std::copy(FList.begin() + index + 1, FList.begin() + FCount, FList.begin() + index);
  --FCount;
}

void* TXpPointerList::GetPointer(int32_t index) const {
  return (index < 0 || index >= FCount) ? nullptr : FList[static_cast<size_t>(index)];
}

void TXpPointerList::SetPointer(int32_t index, void* p) {
  CheckIndex(index, FCount - 1);
  FList[static_cast<size_t>(index)] = p;
}

void TXpPointerList::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TXpPointerList*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  SetCount(0);
  if (GetCapacity() < other->FCount) SetCapacity(other->FCount);
  std::copy(other->FList.begin(), other->FList.begin() + other->FCount, FList.begin());
  FCount = other->FCount;
}
