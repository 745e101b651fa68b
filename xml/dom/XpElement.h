// An element node: attributes, namespace declarations and the element
// queries of the tree.
#pragma once

#include <string_view>

#include "xml/dom/XpNode.h"

class TXpAttribute;
struct TXpNodeArena;

// An attribute kept inside its element as name and value (see TXpElement);
// the value's characters lie in the element's arena.
struct TXpAttrPair {
  const std::u16string* Name;  // shared (XpNameTable.h) unless OwnName
  const char16_t* Value;       // null when empty
  uint32_t Size;
  bool OwnName;
  std::u16string_view ValueView() const { return {Value, Size}; }
};

// Attributes set by name and value are kept inside the element as pairs,
// in the order a map would hold them: most elements never need a node per
// attribute. The nodes are made, all at once, the first time a caller asks
// for the attribute map or a node of it; the element keeps its map from
// then on. Documents comparing names without case, namespace declarations
// and elements with many attributes use the map.
class TXpElement : public TXpNode {
public:
  TXpElement();
  explicit TXpElement(const std::u16string& name);

  // The attributes still kept as pairs, in order (none once the map exists).
  const TXpAttrPair* elPairs() const { return FPairs; }
  int32_t elPairCount() const { return static_cast<int32_t>(FPairCount); }
  // Whether pair storage exists (it may hold no attribute).
  bool elHasPairs() const { return FPairs != nullptr; }
  // Turns the pairs into attribute nodes of the element's map.
  void elMakeAttributeNodes() const;

  // An empty element is written as start tag plus end tag.
  bool FullEndTag() const { return FFullEndTag; }
  void SetFullEndTag(bool value) { FFullEndTag = value; }
  // An empty element is written as a start tag only.
  bool NoEndTag() const { return FNoEndTag; }
  void SetNoEndTag(bool value) { FNoEndTag = value; }

  std::u16string noGetBaseURI() const override;
  TXpNode* CloneNode(bool deep) const override;

  // --- attributes ---
  // Replaces an attribute of the same name, which moves to the end.
  void SetAttribute(const std::u16string& name, const std::u16string& value);
  // These return the replaced attribute with a reference for the caller,
  // or null.
  TXpAttribute* SetAttributeNode(TXpAttribute* attr);
  TXpAttribute* SetAttributeNS(const std::u16string& uri, const std::u16string& qualifiedName,
                               const std::u16string& value);
  TXpAttribute* SetAttributeNodeNS(TXpAttribute* attr);
  std::u16string GetAttribute(const std::u16string& name) const;
  // The value as an integer, 0 when empty; raises EXpException when the
  // value is not an integer.
  int32_t GetAttributeInt(const std::u16string& name) const;
  bool HasAttribute(const std::u16string& name) const;
  TXpAttribute* GetAttributeNode(const std::u16string& name) const;
  std::u16string GetAttributeNS(const std::u16string& uri, const std::u16string& localName) const;
  TXpAttribute* GetAttributeNodeNS(const std::u16string& uri,
                                   const std::u16string& localName) const;
  void RemoveAttribute(const std::u16string& name);
  // Returns the removed attribute with a reference for the caller.
  TXpAttribute* RemoveAttributeNode(TXpAttribute* attr);
  void RemoveAttributeNS(const std::u16string& uri, const std::u16string& localName);

  // --- children made by the owner document, held by the tree alone ---
  TXpElement* CreateChildElement(const std::u16string& name);
  TXpNode* CreateChildText(const std::u16string& text);
  TXpNode* CreateChildCDataSection(const std::u16string& text);

  // --- queries: new lists the caller frees; "*" matches every element ---
  TXpElement* FindElement(const std::u16string& name);
  std::unique_ptr<TXpNodeList> GetChildElementsByTagName(const std::u16string& name);
  std::unique_ptr<TXpNodeList> GetElementsByTagName(const std::u16string& name);
  std::unique_ptr<TXpNodeList> GetElementsByTagNameNS(const std::u16string& uri,
                                                      const std::u16string& localName);
  std::unique_ptr<TXpNodeList> GetElementsByTagNameWithAttribute(const std::u16string& name,
                                                                 const std::u16string& attr,
                                                                 const std::u16string& value);
  std::unique_ptr<TXpNodeList> GetElementsWithIDs(const std::u16string& idAttribute,
                                                  const std::u16string& ids);

  // --- helpers of the XPath evaluator ---
  bool elAttribValueEquals(const std::u16string& name, const std::u16string& value) const;
  bool elAttribValueIn(const std::u16string& name, const std::u16string& list) const;
  std::u16string elGetElementText() const;
  std::u16string elGetImmediateChildText(const TXpNode* node) const;
  bool elIsNthOccurrence(int32_t n) const;

  // Removes whitespace-only text children (of child elements, too, when
  // recursive).
  void StripWhitespaceNodes(bool recursive);

protected:
  ~TXpElement() override;
  TXpElement* elTraverseTreeForElement(TXpNode* node, const std::u16string& name);
  void elTraverseTreeForElements(TXpNodeList* list, TXpNode* node, const std::u16string& name,
                                 const std::u16string* uri);
  void elTraverseTreeForElementsWithAttribute(TXpNodeList* list, TXpNode* node,
                                              const std::u16string& name,
                                              const std::u16string& attr,
                                              const std::u16string& value);
  void elTraverseTreeForElementsWithIDs(TXpNodeList* list, TXpNode* node,
                                        const std::u16string& idAttribute,
                                        const std::u16string& ids);
  void elStripWhitespaceNodesPrim(TXpNode* node, bool recursive);

private:
  // The arena this element came from (see XpNodePool.h).
  TXpNodeArena* elArena() const;
  // Records namespace declarations and the default namespace of attr.
  void elNoteNamespace(TXpAttribute* attr);
  TXpAttribute* elPutAttribute(TXpAttribute* attr, bool byNamespace);

  // Whether name/value operations may use the pairs.
  bool elUsesPairs() const;
  // The index of the pair named name ("*": the first), or -1.
  int32_t elFindPair(const std::u16string& name) const;
  // The index of the pair whose name is shared (a name of the element's
  // arena, or a copy of its own when owned), or -1.
  int32_t elFindPair(const std::u16string* shared, bool owned) const;
  // Adds a pair at the end; name is shared in the element's arena unless
  // shared is given (a name of this arena, or owned by the pair when owned).
  void elAddPair(const std::u16string& name, std::u16string_view value,
                 const std::u16string* shared = nullptr, bool owned = false);
  void elErasePair(int32_t index);
  // A copy of value in the element's arena (null when empty), and its release.
  const char16_t* elStoreValue(std::u16string_view value);
  void elFreeValue(const TXpAttrPair& pair);
  // Destroys the pairs (their names too, unless kept) and their storage.
  void elFreePairs(bool keepNames);

  mutable TXpAttrPair* FPairs = nullptr;
  // At most 16 pairs (see XpElement.cpp): small counts keep elements small.
  mutable uint16_t FPairCount = 0;
  mutable uint16_t FPairCapacity = 0;
  bool FFullEndTag = false;
  bool FNoEndTag = false;
};
