#pragma once
// Chained hash tables keyed by integer (TXpIntHash) or wide string
// (TXpStrHash). The bucket array is a TXpPointerList whose count is the
// bucket count; a table grows when it holds more than four entries per
// bucket. Data pointers are not owned: the deletion handler is called with
// each one that is removed, cleared or left at destruction.
#include <cstdint>
#include <functional>

#include "classlib/AnsiString.h"
#include "classlib/Persistent.h"
#include "xml/dom/XpPointerList.h"

// The ELF (PJW) hash of a byte sequence.
uint32_t XpCalcElfHash(const uint8_t* bytes, int32_t length);

// Bucket counts by size index 0..15.
inline constexpr int32_t XpHashSizes[16] = {59,    127,   257,    521,    1049,   2099,    4201,    8419,
                                            16843, 33703, 67409,  134837, 269683, 539389, 1078787, 2157587};

using TXpHashDeleteEvent = std::function<void(void* data)>;

template <class Key>
class TXpHashTable {
 public:
  // The size index is capped at 15; it is both the current and the initial
  // index.
  explicit TXpHashTable(int32_t sizeIndex);
  virtual ~TXpHashTable();
  TXpHashTable(const TXpHashTable&) = delete;
  TXpHashTable& operator=(const TXpHashTable&) = delete;

  // False (nothing changed) when the key is present.
  bool Add(const Key& key, void* data);
  // Null when absent.
  void* Get(const Key& key) const;
  bool Exists(const Key& key) const;
  // Unlinks the entry, hands its data to the deletion handler.
  void Remove(const Key& key);
  // Removes every entry, calling the deletion handler for each.
  void Clear();

  int32_t Count() const { return FNumNodes; }
  int32_t BucketCount() const { return FHashTable.GetCount(); }
  int32_t SizeIndex() const { return FSizeIndex; }
  // True when the last request to shrink was refused (at the initial size).
  bool ShrinkRefused() const { return FShrinkRefused; }
  void SetOnDelete(TXpHashDeleteEvent handler) { FOnDelete = std::move(handler); }

 protected:
  struct Node {
    Key FKey;
    Node* FNext;
    void* FData;
  };

  virtual int32_t XhGetIndex(const Key& key) const = 0;
  virtual bool XhCompareKey(const Key& a, const Key& b) const { return a == b; }
  // Moves every entry into a larger (true) or smaller (false) bucket array.
  virtual void XhResizeTable(bool grow);

  Node* Bucket(int32_t index) const { return static_cast<Node*>(FHashTable.GetPointer(index)); }
  Node* FindIn(int32_t bucket, const Key& key) const;

  bool FShrinkRefused = false;
  int32_t FNumNodes = 0;
  int32_t FSizeIndex;
  int32_t FInitialSize;
  TXpHashDeleteEvent FOnDelete;
  TXpPointerList FHashTable;
};

// Integer keys; the bucket is the non-negative remainder of the key.
class TXpBaseHash : public TObject, public TXpHashTable<int32_t> {
 public:
  using TXpHashTable<int32_t>::TXpHashTable;

 protected:
  int32_t XhGetIndex(const int32_t& key) const override;
};

class TXpIntHash : public TXpBaseHash {
 public:
  using Callback = std::function<void(int32_t key, void* data, void* value1, void* value2, void* value3)>;
  using TXpBaseHash::TXpBaseHash;

  // Calls `callback` for each entry, bucket by bucket; it must not change
  // the table.
  void Iterate(const Callback& callback, void* value1, void* value2, void* value3);
  // Takes a list of the entries first; the callback may remove entries,
  // and an entry removed before its turn is skipped.
  void IterateSafely(const Callback& callback, void* value1, void* value2, void* value3);
};

// Wide-string keys, compared exactly; the bucket is 0 for the empty string,
// else the ELF hash of the UTF-16LE bytes.
class TXpStrHash : public TPersistent, public TXpHashTable<WideString> {
 public:
  using TXpHashTable<WideString>::TXpHashTable;

  // The hash value the table uses for `key`.
  static uint32_t HashOf(const WideString& key);
  // Looks in the bucket of `hash` (as given by HashOf).
  bool ExistsWithHash(const WideString& key, uint32_t hash) const;

 protected:
  int32_t XhGetIndex(const WideString& key) const override;
};
