#include "xml/dom/XpNodeList.h"

#include <algorithm>

#include "xml/dom/XpElement.h"
#include "xml/dom/XpNamedNodeMap.h"
#include "xml/dom/XpNode.h"

TXpNodeList::~TXpNodeList() { Empty(); }

void TXpNodeList::Add(TXpNode* node) {
  node->AddRef();
  FItems.push_back(node);
}

void TXpNodeList::Insert(int32_t index, TXpNode* node) {
  index = std::clamp(index, 0, nlGetLength());
  node->AddRef();
  FItems.insert(FItems.begin() + index, node);
}

void TXpNodeList::Delete(int32_t index) {
  if (index < 0 || index >= nlGetLength()) return;
  TXpNode* node = Extract(index);
  node->Release();
}

TXpNode* TXpNodeList::Extract(int32_t index) {
  TXpNode* node = FItems[static_cast<size_t>(index)];
  FItems.erase(FItems.begin() + index);
  return node;
}

void TXpNodeList::Replace(int32_t index, TXpNode* node) {
  if (index < 0 || index >= nlGetLength()) return;
  node->AddRef();
  TXpNode* old = FItems[static_cast<size_t>(index)];
  FItems[static_cast<size_t>(index)] = node;
  old->Release();
}

void TXpNodeList::Empty() {
  // Release from a detached copy: a release may destroy a node whose
  // destructor touches other lists.
  std::vector<TXpNode*> items;
  items.swap(FItems);
  for (TXpNode* node : items) node->Release();
}

int32_t TXpNodeList::IndexOf(const TXpNode* node) const {
  auto it = std::find(FItems.begin(), FItems.end(), node);
  return it == FItems.end() ? -1 : static_cast<int32_t>(it - FItems.begin());
}

bool TXpNodeList::Exchange(int32_t i, int32_t j) {
  if (i < 0 || j < 0 || i >= nlGetLength() || j >= nlGetLength()) return false;
  std::swap(FItems[static_cast<size_t>(i)], FItems[static_cast<size_t>(j)]);
  return true;
}

bool TXpNodeList::Move(int32_t from, int32_t to) {
  if (from < 0 || to < 0 || from >= nlGetLength() || to >= nlGetLength()) return false;
  TXpNode* node = FItems[static_cast<size_t>(from)];
  FItems.erase(FItems.begin() + from);
  FItems.insert(FItems.begin() + to, node);
  return true;
}

void TXpNodeList::CopyList(const TXpNodeList* list) {
  if (!list) return;
  for (TXpNode* node : list->FItems) Add(node);
}

void TXpNodeList::CopyNamedNodeMap(const TXpNamedNodeMap* map) { CopyList(map); }

std::u16string TXpNodeList::nlomGetXpDocument() const {
  std::u16string out;
  for (TXpNode* node : FItems) node->noomGetXpDocument(out);
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
  if (count > 1) {
    std::vector<std::u16string> keys;
    keys.reserve(FItems.size());
    for (TXpNode* node : FItems) keys.push_back(SortKey(node, key));
    QuickSort(keys, 0, count - 1);
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
