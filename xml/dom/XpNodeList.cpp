#include "xml/dom/XpNodeList.h"

#include <algorithm>

#include "xml/dom/XpElement.h"
#include "xml/dom/XpNamedNodeMap.h"
#include "xml/dom/XpNode.h"
#include "xml/dom/XpNodePool.h"

// --- the array ---

void TXpNodeArray::Grow(TXpNodeArena* arena) {
  // Most elements have a few children or attributes: start with four.
  const uint32_t capacity = FCapacity ? FCapacity * 2 : 4;
  auto** data = static_cast<TXpNode**>(XpNodeAllocateIn(arena, capacity * sizeof(TXpNode*)));
  if (FSize) std::copy(FData, FData + FSize, data);
  if (FData) XpNodeFree(FData, FCapacity * sizeof(TXpNode*));
  FData = data;
  FCapacity = capacity;
}

void TXpNodeArray::insert(size_t at, TXpNode* node, TXpNodeArena* arena) {
  if (FSize == FCapacity) Grow(arena);
  std::copy_backward(FData + at, FData + FSize, FData + FSize + 1);
  FData[at] = node;
  ++FSize;
}

void TXpNodeArray::erase(size_t at) {
  std::copy(FData + at + 1, FData + FSize, FData + at);
  --FSize;
}

void TXpNodeArray::erase_front(size_t n) {
  std::copy(FData + n, FData + FSize, FData);
  FSize -= static_cast<uint32_t>(n);
}

void TXpNodeArray::Free() {
  if (FData) XpNodeFree(FData, FCapacity * sizeof(TXpNode*));
  FData = nullptr;
  FSize = FCapacity = 0;
}

// --- the list ---

TXpNodeList::~TXpNodeList() { Empty(); }

TXpNodeArena* TXpNodeList::nlArena() const {
  // The arena the owner node itself came from: the document may be gone.
  return FOwner ? XpArenaOf(FOwner) : nullptr;
}

void* TXpNodeList::operator new(size_t size) { return XpNodeAllocate(size); }

void TXpNodeList::operator delete(void* p, size_t size) { XpNodeFree(p, size); }

void TXpNodeList::nlReleaseNode(TXpNode* node) { node->Release(); }

void TXpNodeList::nlNumber(size_t from, size_t to) {
  if (!FOwner) return;
  for (size_t i = from; i < to; ++i) FItems[i]->FSlot = static_cast<uint32_t>(i);
}

void TXpNodeList::nlCompact() {
  if (FStart == 0) return;
  FItems.erase_front(FStart);
  FStart = 0;
  nlNumber(0, FItems.size());
}

void TXpNodeList::Add(TXpNode* node) {
  node->AddRef();
  FItems.push_back(node, nlArena());
  if (FOwner) node->FSlot = static_cast<uint32_t>(FItems.size() - 1);
  nlAdded(node);
}

void TXpNodeList::Insert(int32_t index, TXpNode* node) {
  index = std::clamp(index, 0, nlGetLength());
  node->AddRef();
  if (index == 0 && FStart > 0) {
    FItems[--FStart] = node;
    nlNumber(FStart, FStart + 1);
  } else {
    const size_t at = FStart + static_cast<size_t>(index);
    FItems.insert(at, node, nlArena());
    nlNumber(at, FItems.size());
  }
  nlReordered();
}

void TXpNodeList::Delete(int32_t index) {
  if (index < 0 || index >= nlGetLength()) return;
  TXpNode* node = Extract(index);
  node->Release();
}

TXpNode* TXpNodeList::Extract(int32_t index) {
  const size_t at = FStart + static_cast<size_t>(index);
  TXpNode* node = FItems[at];
  if (static_cast<size_t>(index) < (FItems.size() - FStart) / 2) {
    // Nearer the front: move the entries before it one slot on.
    std::copy_backward(FItems.begin() + FStart, FItems.begin() + at, FItems.begin() + at + 1);
    ++FStart;
    nlNumber(FStart, at + 1);
    // Keep the unused front at most as long as the live part.
    if (FStart > 16 && FStart > FItems.size() / 2) nlCompact();
  } else {
    FItems.erase(at);
    nlNumber(at, FItems.size());
  }
  if (FStart == FItems.size()) {
    FItems.resize(0);
    FStart = 0;
  }
  nlRemoved(node);
  return node;
}

void TXpNodeList::Replace(int32_t index, TXpNode* node) {
  if (index < 0 || index >= nlGetLength()) return;
  node->AddRef();
  const size_t at = FStart + static_cast<size_t>(index);
  TXpNode* old = FItems[at];
  FItems[at] = node;
  nlNumber(at, at + 1);
  nlReordered();
  old->Release();
}

void TXpNodeList::Empty() {
  // Release from a detached copy: a release may destroy a node whose
  // destructor touches other lists.
  TXpNodeArray items;
  items.swap(FItems);
  const size_t start = FStart;
  FStart = 0;
  nlReordered();
  for (size_t i = start; i < items.size(); ++i) items[i]->Release();
  items.Free();
}

void TXpNodeList::nlDropAll(const TXpNode* parent) {
  TXpNodeArray items;
  items.swap(FItems);
  const size_t start = FStart;
  FStart = 0;
  nlReordered();
  // From the last entry to the first: nodes freed while another is being
  // destroyed wait on a stack, so the first child is destroyed first and a
  // tree goes in the order it was built, which is its order in memory.
  for (size_t i = items.size(); i-- > start;) {
    TXpNode* node = items[i];
    if (i >= start + 4) XpPrefetch(items[i - 4]);
    if (node->FParentNode == parent) node->FParentNode = nullptr;
    node->Release();
  }
  items.Free();
}

int32_t TXpNodeList::IndexOf(const TXpNode* node) const {
  if (FOwner && node) {
    const size_t slot = node->FSlot;
    if (slot >= FStart && slot < FItems.size() && FItems[slot] == node)
      return static_cast<int32_t>(slot - FStart);
  }
  TXpNode* const* begin = FItems.begin() + FStart;
  TXpNode* const* it = std::find(begin, FItems.end(), node);
  return it == FItems.end() ? -1 : static_cast<int32_t>(it - begin);
}

bool TXpNodeList::Exchange(int32_t i, int32_t j) {
  if (i < 0 || j < 0 || i >= nlGetLength() || j >= nlGetLength()) return false;
  const size_t a = FStart + static_cast<size_t>(i), b = FStart + static_cast<size_t>(j);
  std::swap(FItems[a], FItems[b]);
  nlNumber(a, a + 1);
  nlNumber(b, b + 1);
  nlReordered();
  return true;
}

bool TXpNodeList::Move(int32_t from, int32_t to) {
  if (from < 0 || to < 0 || from >= nlGetLength() || to >= nlGetLength()) return false;
  nlCompact();
  TXpNode* node = FItems[static_cast<size_t>(from)];
  FItems.erase(static_cast<size_t>(from));
  FItems.insert(static_cast<size_t>(to), node, nlArena());
  nlNumber(0, FItems.size());
  nlReordered();
  return true;
}

void TXpNodeList::CopyList(const TXpNodeList* list) {
  if (!list) return;
  for (size_t i = list->FStart; i < list->FItems.size(); ++i) Add(list->FItems[i]);
}

void TXpNodeList::CopyNamedNodeMap(const TXpNamedNodeMap* map) { CopyList(map); }

std::u16string TXpNodeList::nlomGetXpDocument() const {
  std::u16string out;
  for (size_t i = FStart; i < FItems.size(); ++i) FItems[i]->noomGetXpDocument(out);
  return out;
}

namespace {

std::u16string SortKey(TXpNode* node, const std::u16string& key) {
  if (key.empty()) return node->Text();
  if (!node->Attributes() || node->NodeType() != ELEMENT_NODE) return std::u16string();
  return static_cast<TXpElement*>(node)->GetAttribute(key);
}

}  // namespace

void TXpNodeList::Sort(const std::u16string& key, int32_t order) {
  const int32_t count = nlGetLength();
  nlCompact();
  if (count > 1) {
    std::vector<std::u16string> keys;
    keys.reserve(FItems.size());
    for (TXpNode* node : FItems) keys.push_back(SortKey(node, key));
    QuickSort(keys, 0, count - 1);
    nlNumber(0, FItems.size());
    nlReordered();
  }
  if (order == 1) {
    for (int32_t i = 0; i < count / 2; ++i) Exchange(i, count - 1 - i);
  }
}

void TXpNodeList::QuickSort(std::vector<std::u16string>& keys, int32_t lo, int32_t hi) {
  const std::u16string pivot = keys[static_cast<size_t>((lo + hi) / 2)];
  int32_t left = lo;
  int32_t right = hi;
  do {
    while (keys[static_cast<size_t>(left)] < pivot && left < hi) ++left;
    while (pivot < keys[static_cast<size_t>(right)] && right > lo) --right;
    if (left <= right) {
      std::swap(keys[static_cast<size_t>(left)], keys[static_cast<size_t>(right)]);
      std::swap(FItems[static_cast<size_t>(left)], FItems[static_cast<size_t>(right)]);
      ++left;
      --right;
    }
  } while (left <= right);
  if (right - lo > 0) QuickSort(keys, lo, right);
  if (hi - left > 0) QuickSort(keys, left, hi);
}
