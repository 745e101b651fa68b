#pragma once
// Two stacks: of 32-bit integers, and of variants kept in blocks of 1024
// so that pushing never moves the items already stacked.
#include "components/buttonedits/runtime/Variant.h"

#include <cstdint>
#include <memory>
#include <vector>

class TIntStack {
 public:
  void Push(int32_t value) { FItems.push_back(value); }
  // Raises "Stapelspeicher ist leer" on an empty stack.
  int32_t Pop();
  bool IsEmpty() const { return FItems.empty(); }
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }

 private:
  std::vector<int32_t> FItems;
};

class TVariantStack {
 public:
  static constexpr int32_t BlockSize = 1024;

  void Push(const Variant& value);
  void PushInt(int32_t n) { Push(Variant::Integer(n)); }
  // Copies the top item into `dest` when given, clears it and frees its
  // block when it was the block's first. Raises on an empty stack.
  void PopLast(Variant* dest);
  void Pop() { PopLast(nullptr); }
  // The item's address; null outside 0..Count()-1.
  Variant* Items(int32_t index);
  // Writes the addresses of `count` items from `start` into `dest`.
  void FillWithItems(Variant** dest, int32_t start, int32_t count);
  // Adds n empty items.
  void Expand(int32_t n);
  // Removes the n topmost items; more than Count() raises.
  void Collapse(int32_t n);
  int32_t Count() const { return FCount; }
  bool IsEmpty() const { return FCount == 0; }
  int32_t BlockCount() const { return static_cast<int32_t>(FBlocks.size()); }

 private:
  std::vector<std::unique_ptr<Variant[]>> FBlocks;
  int32_t FCount = 0;
};
