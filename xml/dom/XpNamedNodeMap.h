// The attribute map of an element: a list of attribute nodes in insertion
// order, each holding one reference taken by the map, looked up by name.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "xml/dom/XpNodeList.h"
#include "xml/dom/XpNodePool.h"

class TXpDocument;

class TXpNamedNodeMap : public TXpNodeList {
public:
  int32_t nmGetLength() const { return nlGetLength(); }
  // First entry whose name equals name ("*" gives the first entry), or null.
  TXpNode* GetNamedItem(const std::u16string& name) const;
  TXpNode* GetNamedItemNS(const std::u16string& uri, const std::u16string& localName) const;
  // Remove the first match and return it with a reference for the caller,
  // or null.
  TXpNode* RemoveNamedItem(const std::u16string& name);
  TXpNode* RemoveNamedItemNS(const std::u16string& uri, const std::u16string& localName);
  // Removes the entry of the same name and returns it (with a reference for
  // the caller, or null), then adds node at the end.
  TXpNode* SetNamedItem(TXpNode* node);
  // RemoveNamedItem for the name of node; names shared by both nodes are
  // compared by their address.
  TXpNode* RemoveSameName(const TXpNode* node);
  // A new map holding clones of every entry.
  std::unique_ptr<TXpNamedNodeMap> nmCloneNamedNodeMap() const;
  void SetnoOwnerDocument(TXpDocument* doc);

protected:
  friend class TXpNode;
  void nlAdded(TXpNode* node) override;
  void nlRemoved(TXpNode* node) override;
  void nlReordered() override { FIndex.reset(); }

private:
  // The first entry of each name, kept for the attribute map of an element
  // once it has many entries, so adding n attributes takes linear time.
  TXpNode* nmFindIndexed(const std::u16string& name) const;
  bool nmUsesIndex() const;

  // By the hash of the name, open addressing with linear probing over a
  // flat array, as the document's name table: a lookup mostly reads one
  // slot and one node, and no entry takes memory of its own.
  struct TIndex {
    struct TSlot {
      size_t hash;
      TXpNode* node;  // null: free
    };
    TXpTable<TSlot> slots;  // kept for the next document when large
    size_t count = 0;
    // False (and nothing added) when an entry of that name is there.
    bool Add(size_t hash, TXpNode* node);
    TXpNode* Find(size_t hash, std::u16string_view name) const;
    // Removes the slot of node; false when it is not the indexed entry.
    bool Remove(size_t hash, const TXpNode* node);
  };
  mutable std::unique_ptr<TIndex> FIndex;
  // Some name has more than one entry: a removal may uncover another.
  mutable bool FDuplicates = false;
};
