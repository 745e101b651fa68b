#pragma once
// A list of fixed-size records in one contiguous block.
#include "classlib/Stream.h"

#include <cstdint>
#include <vector>

class TRecordList {
 public:
  explicit TRecordList(int32_t recordSize);

  // Copies the record (zero-fills the slot for null) after the last; the
  // new index. A full list doubles its capacity, to at least 32.
  int32_t Add(const void* rec);
  // Address of a record; an index outside 0..Count()-1 raises the list
  // index error.
  void* Items(int32_t index);
  void Delete(int32_t index);
  void Clear();
  void SetCapacity(int32_t capacity);
  // Growing zero-fills the new records.
  void SetCount(int32_t count);
  int32_t Count() const { return FCount; }
  int32_t Capacity() const { return FCapacity; }
  int32_t RecordSize() const { return FRecordSize; }

  // The count as a 32-bit integer, then the records.
  void SaveToStream(TStream& stream) const;
  // A count the stream cannot hold raises EReadError and changes nothing.
  void LoadFromStream(TStream& stream);

 private:
  void CheckIndex(int32_t index) const;
  int32_t FRecordSize;
  int32_t FCount = 0;
  int32_t FCapacity = 0;
  std::vector<uint8_t> FData;
};
