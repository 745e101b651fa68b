#include "xml/dom/XpNamedNodeMap.h"

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

TXpNode* TXpNamedNodeMap::nmFindIndexed(const std::u16string& name) const {
  if (!FIndex) {
    FIndex = std::make_unique<TIndex>();
    FDuplicates = false;
    FIndex->reserve(static_cast<size_t>(nmGetLength()) * 2);
    for (int32_t i = 0; i < nmGetLength(); ++i) {
      TXpNode* node = Item(i);
      if (!FIndex->emplace(std::u16string_view(node->NodeName()), node).second) FDuplicates = true;
    }
  }
  auto it = FIndex->find(std::u16string_view(name));
  return it == FIndex->end() ? nullptr : it->second;
}

void TXpNamedNodeMap::nlAdded(TXpNode* node) {
  if (FIndex && !FIndex->emplace(std::u16string_view(node->NodeName()), node).second)
    FDuplicates = true;
}

void TXpNamedNodeMap::nlRemoved(TXpNode* node) {
  if (!FIndex) return;
  auto it = FIndex->find(std::u16string_view(node->NodeName()));
  if (FDuplicates || (it != FIndex->end() && it->second != node)) {
    FIndex.reset();
    FDuplicates = false;
  } else if (it != FIndex->end()) {
    FIndex->erase(it);
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
