// A growable list of node references: every node in the list holds one
// reference taken by the list, released when it leaves the list or the list
// is destroyed.
//
// The child list of a node (and the attribute map of an element) knows its
// owner: each entry then records its slot, so finding a member's position,
// and with it its siblings, takes constant time, and removing entries from
// the front moves nothing.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class TXpNode;
class TXpNamedNodeMap;
struct TXpNodeArena;

// The entries of a node list: an array of node pointers whose storage
// comes from the nodes' pool (the owner document's arena for a child list
// or attribute map), not from the heap.
class TXpNodeArray {
public:
  TXpNodeArray() = default;
  TXpNodeArray(const TXpNodeArray&) = delete;
  TXpNodeArray& operator=(const TXpNodeArray&) = delete;
  ~TXpNodeArray() { Free(); }

  size_t size() const { return FSize; }
  bool empty() const { return FSize == 0; }
  TXpNode*& operator[](size_t i) { return FData[i]; }
  TXpNode* operator[](size_t i) const { return FData[i]; }
  TXpNode** begin() { return FData; }
  TXpNode** end() { return FData + FSize; }
  TXpNode* const* begin() const { return FData; }
  TXpNode* const* end() const { return FData + FSize; }
  TXpNode* back() const { return FData[FSize - 1]; }
  void push_back(TXpNode* node, TXpNodeArena* arena) {
    if (FSize == FCapacity) Grow(arena);
    FData[FSize++] = node;
  }
  void insert(size_t at, TXpNode* node, TXpNodeArena* arena);
  void erase(size_t at);
  // Drops the first n entries.
  void erase_front(size_t n);
  void resize(size_t n) {
    if (n < FSize) FSize = static_cast<uint32_t>(n);
  }
  void swap(TXpNodeArray& other) {
    std::swap(FData, other.FData);
    std::swap(FSize, other.FSize);
    std::swap(FCapacity, other.FCapacity);
  }
  // Empties the array and gives its storage back.
  void Free();

private:
  void Grow(TXpNodeArena* arena);

  TXpNode** FData = nullptr;
  uint32_t FSize = 0;
  uint32_t FCapacity = 0;
};

class TXpNodeList {
public:
  TXpNodeList() = default;
  TXpNodeList(const TXpNodeList&) = delete;
  // Lists and maps come from the nodes' pool too.
  static void* operator new(size_t size);
  static void operator delete(void* p, size_t size);
  TXpNodeList& operator=(const TXpNodeList&) = delete;
  virtual ~TXpNodeList();

  void Add(TXpNode* node);
  void Insert(int32_t index, TXpNode* node);
  // Releases the node; ignored when the index is out of range.
  void Delete(int32_t index);
  // Releases the old node and references the new; ignored out of range.
  void Replace(int32_t index, TXpNode* node);
  void Empty();
  TXpNode* Item(int32_t index) const {
    return index < 0 || index >= nlGetLength() ? nullptr
                                               : FItems[FStart + static_cast<size_t>(index)];
  }
  TXpNode* Last() const { return nlGetLength() == 0 ? nullptr : FItems.back(); }
  int32_t IndexOf(const TXpNode* node) const;
  int32_t nlGetLength() const { return static_cast<int32_t>(FItems.size() - FStart); }
  int32_t Length() const { return nlGetLength(); }
  bool Exchange(int32_t i, int32_t j);
  bool Move(int32_t from, int32_t to);
  void CopyList(const TXpNodeList* list);
  void CopyNamedNodeMap(const TXpNamedNodeMap* map);
  std::u16string nlomGetXpDocument() const;
  // Sorts by the text of each node (empty key) or by the value of the
  // attribute key; order 1 gives descending order.
  void Sort(const std::u16string& key, int32_t order);

protected:
  friend class TXpNode;
  friend class TXpElement;

  // Empties the list, releasing every entry; entries whose parent is
  // parent lose it first.
  void nlDropAll(const TXpNode* parent);
  // Removes the entry at index without releasing it.
  TXpNode* Extract(int32_t index);
  // Takes out, in one pass, every entry for which drop(node) is true and
  // releases it.
  template <class Pred>
  void nlRemoveIf(Pred drop);
  // Called when a node has been added at the end, and when entries have
  // been removed, inserted or reordered (the attribute map keeps an index).
  virtual void nlAdded(TXpNode*) {}
  virtual void nlRemoved(TXpNode*) { nlReordered(); }
  virtual void nlReordered() {}

private:
  void QuickSort(std::vector<std::u16string>& keys, int32_t lo, int32_t hi);
  // Records the slots of the entries from..to-1 (owned lists only).
  void nlNumber(size_t from, size_t to);
  static void nlReleaseNode(TXpNode* node);
  // Moves the live entries to the front of the array.
  void nlCompact();
  // Where the entries' storage comes from: the arena of the owner's
  // document, or null for the thread's pool.
  TXpNodeArena* nlArena() const;

  // The entries are FItems[FStart..]: removing the first entries only
  // advances FStart.
  TXpNodeArray FItems;
  size_t FStart = 0;

protected:
  // The node whose children (or attributes) this list holds, or null.
  TXpNode* FOwner = nullptr;
};

template <class Pred>
void TXpNodeList::nlRemoveIf(Pred drop) {
  std::vector<TXpNode*> dropped;
  size_t to = FStart;
  for (size_t i = FStart; i < FItems.size(); ++i) {
    TXpNode* node = FItems[i];
    if (drop(node))
      dropped.push_back(node);
    else
      FItems[to++] = node;
  }
  if (dropped.empty()) return;
  FItems.resize(to);
  if (FStart > 0)
    nlCompact();
  else
    nlNumber(0, FItems.size());
  nlReordered();
  for (TXpNode* node : dropped) nlReleaseNode(node);
}
