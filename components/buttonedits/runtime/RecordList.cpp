#include "components/buttonedits/runtime/RecordList.h"

#include <algorithm>
#include <cstring>

#include "classlib/Exception.h"
#include "components/buttonedits/runtime/ResourceStrings.h"

TRecordList::TRecordList(int32_t recordSize) : FRecordSize(std::max<int32_t>(recordSize, 1)) {}

void TRecordList::CheckIndex(int32_t index) const {
  if (index < 0 || index >= FCount) throw EListError(ResStrFmt(SListIndexError, index));
}

void TRecordList::SetCapacity(int32_t capacity) {
  capacity = std::max(capacity, FCount);
  FData.resize(static_cast<size_t>(capacity) * static_cast<size_t>(FRecordSize));
  FData.shrink_to_fit();
  FCapacity = capacity;
}

int32_t TRecordList::Add(const void* rec) {
  if (FCount == FCapacity) SetCapacity(std::max(FCapacity * 2, 32));
  uint8_t* slot = FData.data() + static_cast<size_t>(FCount) * static_cast<size_t>(FRecordSize);
  if (rec)
    std::memcpy(slot, rec, static_cast<size_t>(FRecordSize));
  else
    std::memset(slot, 0, static_cast<size_t>(FRecordSize));
  return FCount++;
}

void* TRecordList::Items(int32_t index) {
  CheckIndex(index);
  return FData.data() + static_cast<size_t>(index) * static_cast<size_t>(FRecordSize);
}

void TRecordList::Delete(int32_t index) {
  CheckIndex(index);
  const size_t size = static_cast<size_t>(FRecordSize);
  uint8_t* at = FData.data() + static_cast<size_t>(index) * size;
  std::memmove(at, at + size, static_cast<size_t>(FCount - index - 1) * size);
  --FCount;
}

void TRecordList::Clear() {
  FCount = 0;
  SetCapacity(0);
}

void TRecordList::SetCount(int32_t count) {
  count = std::max(count, 0);
  if (count > FCapacity) SetCapacity(count);
  if (count > FCount) {
    const size_t size = static_cast<size_t>(FRecordSize);
    std::memset(FData.data() + static_cast<size_t>(FCount) * size, 0, static_cast<size_t>(count - FCount) * size);
  }
  FCount = count;
}

void TRecordList::SaveToStream(TStream& stream) const {
  const auto count = static_cast<uint32_t>(FCount);
  const uint8_t le[4] = {uint8_t(count), uint8_t(count >> 8), uint8_t(count >> 16), uint8_t(count >> 24)};
  stream.WriteBuffer(le, 4);
  if (count > 0) stream.WriteBuffer(FData.data(), count * FRecordSize);
}

void TRecordList::LoadFromStream(TStream& stream) {
  uint8_t le[4];
  stream.ReadBuffer(le, 4);
  const auto count = static_cast<int32_t>(uint32_t(le[0]) | uint32_t(le[1]) << 8 | uint32_t(le[2]) << 16 |
                                          uint32_t(le[3]) << 24);
  const int64_t left = stream.Size() - stream.Position();
  if (count < 0 || static_cast<int64_t>(count) * FRecordSize > left)
    throw EReadError(LoadResString(dcconsts::_SErrBadPropStream));
  std::vector<uint8_t> data(static_cast<size_t>(count) * static_cast<size_t>(FRecordSize));
  if (count > 0) stream.ReadBuffer(data.data(), count * FRecordSize);
  FData = std::move(data);
  FCount = FCapacity = count;
}
