// A growable list of node references: every node in the list holds one
// reference taken by the list, released when it leaves the list or the list
// is destroyed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TXpNode;
class TXpNamedNodeMap;

class TXpNodeList {
public:
  TXpNodeList() = default;
  TXpNodeList(const TXpNodeList&) = delete;
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
    return index < 0 || index >= nlGetLength() ? nullptr : FItems[static_cast<size_t>(index)];
  }
  TXpNode* Last() const { return FItems.empty() ? nullptr : FItems.back(); }
  int32_t IndexOf(const TXpNode* node) const;
  int32_t nlGetLength() const { return static_cast<int32_t>(FItems.size()); }
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
  // Removes the entry at index without releasing it.
  TXpNode* Extract(int32_t index);

private:
  void QuickSort(std::vector<std::u16string>& keys, int32_t lo, int32_t hi);

  std::vector<TXpNode*> FItems;
};
