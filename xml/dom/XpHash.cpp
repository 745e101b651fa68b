#include "xml/dom/XpHash.h"

#include <algorithm>
#include <utility>
#include <vector>

uint32_t XpCalcElfHash(const uint8_t* bytes, int32_t length) {
  uint32_t h = 0;
  for (int32_t i = 0; i < length; ++i) {
    h = (h << 4) + bytes[i];
    const uint32_t g = h & 0xF0000000u;
    if (g != 0) h ^= g >> 24;
    h &= ~g;
  }
  return h;
}

template <class Key>
TXpHashTable<Key>::TXpHashTable(int32_t sizeIndex) {
  FSizeIndex = std::clamp(sizeIndex, 0, 15);
  FInitialSize = FSizeIndex;
  FHashTable.SetCount(XpHashSizes[FSizeIndex]);
}

template <class Key>
TXpHashTable<Key>::~TXpHashTable() {
  Clear();
}

template <class Key>
typename TXpHashTable<Key>::Node* TXpHashTable<Key>::FindIn(int32_t bucket, const Key& key) const {
  for (Node* n = Bucket(bucket); n; n = n->FNext)
    if (XhCompareKey(n->FKey, key)) return n;
  return nullptr;
}

template <class Key>
bool TXpHashTable<Key>::Add(const Key& key, void* data) {
  const int32_t b = XhGetIndex(key);
  if (FindIn(b, key)) return false;
  FHashTable.SetPointer(b, new Node{key, Bucket(b), data});
  ++FNumNodes;
  if (FNumNodes > 4 * BucketCount()) XhResizeTable(true);
  return true;
}

template <class Key>
void* TXpHashTable<Key>::Get(const Key& key) const {
  Node* n = FindIn(XhGetIndex(key), key);
  return n ? n->FData : nullptr;
}

template <class Key>
bool TXpHashTable<Key>::Exists(const Key& key) const {
  return FindIn(XhGetIndex(key), key) != nullptr;
}

template <class Key>
void TXpHashTable<Key>::Remove(const Key& key) {
  const int32_t b = XhGetIndex(key);
  Node* prev = nullptr;
  for (Node* n = Bucket(b); n; prev = n, n = n->FNext) {
    if (!XhCompareKey(n->FKey, key)) continue;
    if (prev) prev->FNext = n->FNext;
    else FHashTable.SetPointer(b, n->FNext);
    --FNumNodes;
    void* data = n->FData;
    delete n;
    if (FOnDelete) FOnDelete(data);
    return;
  }
}

template <class Key>
void TXpHashTable<Key>::Clear() {
  for (int32_t b = 0; b < BucketCount(); ++b) {
    Node* n = Bucket(b);
    FHashTable.SetPointer(b, nullptr);
    while (n) {
      Node* next = n->FNext;
      void* data = n->FData;
      delete n;
      --FNumNodes;
      if (FOnDelete) FOnDelete(data);
      n = next;
    }
  }
  FNumNodes = 0;
}

template <class Key>
void TXpHashTable<Key>::XhResizeTable(bool grow) {
  const int32_t old = BucketCount();
  int32_t count;
  if (grow) {
    if (FSizeIndex < 15) {
      count = XpHashSizes[++FSizeIndex];
    } else {
      count = 2 * old + 1;
      if (count % 3 == 0) count = 2 * old + 3;
    }
  } else {
    if (FSizeIndex <= FInitialSize) {
      FShrinkRefused = true;
      return;
    }
    count = XpHashSizes[--FSizeIndex];
  }
  FShrinkRefused = false;
  std::vector<Node*> nodes;
  nodes.reserve(static_cast<size_t>(FNumNodes));
  for (int32_t b = 0; b < old; ++b)
    for (Node* n = Bucket(b); n; n = n->FNext) nodes.push_back(n);
  FHashTable.SetCount(0);
  FHashTable.SetCapacity(count);
  FHashTable.SetCount(count);
  // XhGetIndex reads the new bucket count.
  for (Node* n : nodes) {
    const int32_t b = XhGetIndex(n->FKey);
    n->FNext = Bucket(b);
    FHashTable.SetPointer(b, n);
  }
}

template class TXpHashTable<int32_t>;
template class TXpHashTable<WideString>;

int32_t TXpBaseHash::XhGetIndex(const int32_t& key) const {
  const int64_t m = static_cast<int64_t>(key) % BucketCount();
  return static_cast<int32_t>(m < 0 ? m + BucketCount() : m);
}

void TXpIntHash::Iterate(const Callback& callback, void* value1, void* value2, void* value3) {
  for (int32_t b = 0; b < BucketCount(); ++b)
    for (Node* n = Bucket(b); n; n = n->FNext) callback(n->FKey, n->FData, value1, value2, value3);
}

void TXpIntHash::IterateSafely(const Callback& callback, void* value1, void* value2, void* value3) {
  std::vector<int32_t> keys;
  keys.reserve(static_cast<size_t>(Count()));
  for (int32_t b = 0; b < BucketCount(); ++b)
    for (Node* n = Bucket(b); n; n = n->FNext) keys.push_back(n->FKey);
  for (int32_t key : keys)
    if (Node* n = FindIn(XhGetIndex(key), key)) callback(key, n->FData, value1, value2, value3);
}

uint32_t TXpStrHash::HashOf(const WideString& key) {
  std::vector<uint8_t> bytes;
  bytes.reserve(key.size() * 2);
  for (char16_t c : key) {
    bytes.push_back(static_cast<uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  return XpCalcElfHash(bytes.data(), static_cast<int32_t>(bytes.size()));
}

int32_t TXpStrHash::XhGetIndex(const WideString& key) const {
  if (key.empty()) return 0;
  return static_cast<int32_t>(HashOf(key) % static_cast<uint32_t>(BucketCount()));
}

bool TXpStrHash::ExistsWithHash(const WideString& key, uint32_t hash) const {
  return FindIn(static_cast<int32_t>(hash % static_cast<uint32_t>(BucketCount())), key) != nullptr;
}
