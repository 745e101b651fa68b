#include "xml/dom/XpNamedNodeMap.h"

#include <algorithm>

#include "xml/dom/XpDocument.h"
#include "xml/dom/XpNode.h"

namespace {

// Below this many entries a search is as quick as the index.
constexpr int32_t kIndexFrom = 16;

}  // namespace

bool TXpNamedNodeMap::nmUsesIndex() const {
  // Names compared without case have no exact key.
  if (!FOwner || nmGetLength() < kIndexFrom) return false;
  const TXpDocument* doc = FOwner->noGetOwnerDocument();
  return !doc || !doc->IgnoreCase();
}

namespace {

size_t NameHash(std::u16string_view name) { return std::hash<std::u16string_view>{}(name); }

}  // namespace

bool TXpNamedNodeMap::TIndex::Add(size_t hash, TXpNode* node) {
  // At most half the slots in use, so probes stay short.
  if ((count + 1) * 2 > slots.size()) {
    TXpTable<TSlot> old(std::max<size_t>(64, slots.size() * 2));
    old.swap(slots);
    const size_t mask = slots.size() - 1;
    for (const TSlot& slot : old) {
      if (!slot.node) continue;
      size_t i = slot.hash & mask;
      while (slots[i].node) i = (i + 1) & mask;
      slots[i] = slot;
    }
  }
  const size_t mask = slots.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    TSlot& slot = slots[i];
    if (!slot.node) {
      slot = {hash, node};
      ++count;
      return true;
    }
    if (slot.hash == hash &&
        (slot.node->FNodeName == node->FNodeName || *slot.node->FNodeName == *node->FNodeName))
      return false;
  }
}

TXpNode* TXpNamedNodeMap::TIndex::Find(size_t hash, std::u16string_view name) const {
  if (slots.empty()) return nullptr;
  const size_t mask = slots.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const TSlot& slot = slots[i];
    if (!slot.node) return nullptr;
    if (slot.hash == hash && *slot.node->FNodeName == name) return slot.node;
  }
}

bool TXpNamedNodeMap::TIndex::Remove(size_t hash, const TXpNode* node) {
  if (slots.empty()) return false;
  const size_t mask = slots.size() - 1;
  size_t i = hash & mask;
  for (;; i = (i + 1) & mask) {
    if (!slots[i].node) return false;
    if (slots[i].node == node) break;
  }
  // Moves later entries of the probe run back into the gap.
  for (size_t j = (i + 1) & mask; slots[j].node; j = (j + 1) & mask) {
    const size_t home = slots[j].hash & mask;
    if (((j - home) & mask) >= ((j - i) & mask)) {
      slots[i] = slots[j];
      i = j;
    }
  }
  slots[i] = {0, nullptr};
  --count;
  return true;
}

TXpNode* TXpNamedNodeMap::nmFindIndexed(const std::u16string& name) const {
  if (!FIndex) {
    FIndex = std::make_unique<TIndex>();
    FDuplicates = false;
    for (int32_t i = 0; i < nmGetLength(); ++i) {
      TXpNode* node = Item(i);
      if (!FIndex->Add(NameHash(node->NodeName()), node)) FDuplicates = true;
    }
  }
  return FIndex->Find(NameHash(name), name);
}

void TXpNamedNodeMap::nlAdded(TXpNode* node) {
  if (FIndex && !FIndex->Add(NameHash(node->NodeName()), node)) FDuplicates = true;
}

void TXpNamedNodeMap::nlRemoved(TXpNode* node) {
  if (!FIndex) return;
  // With two entries of one name, a removal may uncover the other: the
  // index is made again when next needed.
  if (FDuplicates || !FIndex->Remove(NameHash(node->NodeName()), node)) {
    FIndex.reset();
    FDuplicates = false;
  }
}

TXpNode* TXpNamedNodeMap::GetNamedItem(const std::u16string& name) const {
  if (name == u"*") return Item(0);
  if (nmUsesIndex()) return nmFindIndexed(name);
  for (int32_t i = 0; i < nmGetLength(); ++i) {
    TXpNode* node = Item(i);
    if (node->noNameEquals(name)) return node;
  }
  return nullptr;
}

TXpNode* TXpNamedNodeMap::GetNamedItemNS(const std::u16string& uri,
                                         const std::u16string& localName) const {
  for (int32_t i = 0; i < nmGetLength(); ++i) {
    TXpNode* node = Item(i);
    if (node->NamespaceURI() == uri && node->noGetLocalName() == localName) return node;
  }
  return nullptr;
}

TXpNode* TXpNamedNodeMap::RemoveNamedItem(const std::u16string& name) {
  TXpNode* node = GetNamedItem(name);
  if (!node) return nullptr;
  return Extract(IndexOf(node));  // the map's reference passes to the caller
}

TXpNode* TXpNamedNodeMap::RemoveSameName(const TXpNode* node) {
  const TXpDocument* doc = FOwner ? FOwner->noGetOwnerDocument() : nullptr;
  if (node->FOwnName || nmUsesIndex() || (doc && doc->IgnoreCase()))
    return RemoveNamedItem(node->NodeName());
  // Nodes of one arena share the copy of a name: most tests compare two
  // pointers.
  for (int32_t i = 0; i < nmGetLength(); ++i) {
    TXpNode* item = Item(i);
    if (item->FNodeName == node->FNodeName || item->NodeName() == node->NodeName())
      return Extract(i);
  }
  return nullptr;
}

TXpNode* TXpNamedNodeMap::RemoveNamedItemNS(const std::u16string& uri,
                                            const std::u16string& localName) {
  TXpNode* node = GetNamedItemNS(uri, localName);
  if (!node) return nullptr;
  return Extract(IndexOf(node));
}

TXpNode* TXpNamedNodeMap::SetNamedItem(TXpNode* node) {
  const int32_t i = IndexOf(node);
  if (i >= 0) {
    // Setting an entry that is already present moves it to the end.
    Add(node);
    Extract(i)->Release();
    return nullptr;
  }
  TXpNode* old = RemoveNamedItem(node->NodeName());
  Add(node);
  return old;
}

std::unique_ptr<TXpNamedNodeMap> TXpNamedNodeMap::nmCloneNamedNodeMap() const {
  auto map = std::make_unique<TXpNamedNodeMap>();
  for (int32_t i = 0; i < nmGetLength(); ++i) {
    TXpNode* clone = Item(i)->CloneNode(true);
    if (!clone) continue;
    map->Add(clone);
    clone->Release();
  }
  return map;
}

void TXpNamedNodeMap::SetnoOwnerDocument(TXpDocument* doc) {
  for (int32_t i = 0; i < nmGetLength(); ++i) Item(i)->SetnoOwnerDocument(doc);
}
