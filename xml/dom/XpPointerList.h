#pragma once
// A growable array of pointers (not owned) with a separate capacity; grows
// by 64 slots at a time.
#include <cstdint>
#include <vector>

#include "classlib/Persistent.h"

class TXpPointerList : public TPersistent {
 public:
  void Grow();
  // A capacity below the count cuts the count.
  void SetCapacity(int32_t capacity);
  int32_t GetCapacity() const { return static_cast<int32_t>(FList.size()); }
  // New slots are null.
  void SetCount(int32_t count);
  int32_t GetCount() const { return FCount; }
  void Append(void* p);
  // Index 0..count; EListError otherwise.
  void Insert(void* p, int32_t index);
  // Closes the gap; EListError outside the count.
  void RemoveAt(int32_t index);
  // Null outside the count.
  void* GetPointer(int32_t index) const;
  // EListError outside the count.
  void SetPointer(int32_t index, void* p);
  bool IsEmpty() const { return FCount == 0; }
  void Empty() { FCount = 0; }
  // Copies every pointer of `source` (another pointer list).
  void Assign(const TPersistent& source) override;
  void** GetInternalAddress() { return FList.data(); }

 private:
  void CheckIndex(int32_t index, int32_t limit) const;

  std::vector<void*> FList;  // size = capacity
  int32_t FCount = 0;
};
