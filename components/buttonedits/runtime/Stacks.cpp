#include "components/buttonedits/runtime/Stacks.h"

#include "classlib/Exception.h"
#include "components/buttonedits/runtime/ResourceStrings.h"

namespace {

[[noreturn]] void StackEmpty() { throw Exception(LoadResString(dcconsts::_SErrStackEmpty)); }

}  // namespace

int32_t TIntStack::Pop() {
  if (FItems.empty()) StackEmpty();
  const int32_t v = FItems.back();
  FItems.pop_back();
  return v;
}

void TVariantStack::Push(const Variant& value) {
  if (FCount % BlockSize == 0 && FCount / BlockSize == BlockCount())
    FBlocks.push_back(std::make_unique<Variant[]>(BlockSize));
  FBlocks[static_cast<size_t>(FCount / BlockSize)][FCount % BlockSize] = value;
  ++FCount;
}

void TVariantStack::PopLast(Variant* dest) {
  if (FCount == 0) StackEmpty();
  --FCount;
  Variant& item = FBlocks[static_cast<size_t>(FCount / BlockSize)][FCount % BlockSize];
  if (dest) *dest = item;
  item.Clear();
  if (FCount % BlockSize == 0) FBlocks.pop_back();
}

Variant* TVariantStack::Items(int32_t index) {
  if (index < 0 || index >= FCount) return nullptr;
  return &FBlocks[static_cast<size_t>(index / BlockSize)][index % BlockSize];
}

void TVariantStack::FillWithItems(Variant** dest, int32_t start, int32_t count) {
  for (int32_t i = 0; i < count; ++i) dest[i] = Items(start + i);
}

void TVariantStack::Expand(int32_t n) {
  if (n <= 0) return;
  FCount += n;
  while (BlockCount() * BlockSize < FCount) FBlocks.push_back(std::make_unique<Variant[]>(BlockSize));
}

void TVariantStack::Collapse(int32_t n) {
  if (n > FCount) StackEmpty();
  for (int32_t i = 0; i < n; ++i) PopLast(nullptr);
}
