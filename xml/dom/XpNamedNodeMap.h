// The attribute map of an element: a list of attribute nodes in insertion
// order, each holding one reference taken by the map, looked up by name.
#pragma once

#include <memory>

#include "xml/dom/XpNodeList.h"

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
  // A new map holding clones of every entry.
  std::unique_ptr<TXpNamedNodeMap> nmCloneNamedNodeMap() const;
  void SetnoOwnerDocument(TXpDocument* doc);
};
