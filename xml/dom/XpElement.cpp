#include "xml/dom/XpElement.h"

#include <algorithm>

#include "xml/dom/XpAttribute.h"
#include "xml/dom/XpCharacterData.h"
#include "xml/dom/XpDOMException.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpNameTable.h"
#include "xml/dom/XpNamedNodeMap.h"
#include "xml/dom/XpNodePool.h"
#include "xml/dom/XpNodeRef.h"
#include "xml/dom/XpCharClasses.h"
#include "xml/dom/XpMessages.h"
#include "xml/dom/XpTreeHelpers.h"
#include "classlib/Format.h"

TXpElement::TXpElement() { SetNodeType(ELEMENT_NODE); }

TXpElement::TXpElement(const std::u16string& name) : TXpElement() { SetNodeName(name); }

TXpElement::~TXpElement() { elFreePairs(false); }

std::u16string TXpElement::noGetBaseURI() const {
  std::u16string base = GetAttribute(u"xml:base");
  return base.empty() ? TXpNode::noGetBaseURI() : base;
}

TXpNode* TXpElement::CloneNode(bool deep) const {
  auto* clone = new TXpElement();
  noCopyInto(clone, deep);
  clone->FFullEndTag = FFullEndTag;
  clone->FNoEndTag = FNoEndTag;
  for (uint32_t i = 0; i < FPairCount; ++i) {
    const TXpAttrPair& pair = FPairs[i];
    const bool share = !pair.OwnName && clone->elArena() == elArena();
    clone->elAddPair(*pair.Name, pair.ValueView(), share ? pair.Name : nullptr);
  }
  if (FPairs && !clone->FPairs) {
    // All attributes removed: the copy, too, has an empty map on request.
    clone->FPairs = static_cast<TXpAttrPair*>(
        XpNodeAllocateIn(clone->elArena(), sizeof(TXpAttrPair) * 2));
    clone->FPairCapacity = 2;
  }
  if (FAttributes) {
    clone->FAttributes = FAttributes->nmCloneNamedNodeMap();
    for (int32_t i = 0; i < clone->FAttributes->nmGetLength(); ++i)
      clone->FAttributes->Item(i)->SetParentNode(clone);
  }
  if (NamespaceDecls()) clone->noMore().NamespaceDecls = NamespaceDecls()->nmCloneNamedNodeMap();
  return clone;
}

// --- attributes ---

TXpNodeArena* TXpElement::elArena() const { return XpArenaOf(this); }

namespace {

// Up to this many attributes stay pairs; a map finds its entries by name
// from about as many on (see XpNamedNodeMap.cpp).
constexpr uint32_t kMaxPairs = 16;
static_assert(sizeof(TXpElement) <= sizeof(TXpNode) + 16, "pairs add one pointer and counts");

}  // namespace

bool TXpElement::elUsesPairs() const {
  if (FAttributes) return false;
  const TXpDocument* doc = noGetOwnerDocument();
  return !doc || !doc->IgnoreCase();
}

int32_t TXpElement::elFindPair(const std::u16string& name) const {
  if (name == u"*") return FPairCount > 0 ? 0 : -1;
  for (uint32_t i = 0; i < FPairCount; ++i)
    if (*FPairs[i].Name == name) return static_cast<int32_t>(i);
  return -1;
}

int32_t TXpElement::elFindPair(const std::u16string* shared, bool owned) const {
  // Names shared in the element's arena are equal only when they are the
  // same copy.
  for (uint32_t i = 0; i < FPairCount; ++i) {
    const TXpAttrPair& pair = FPairs[i];
    if (pair.Name == shared || ((owned || pair.OwnName) && *pair.Name == *shared))
      return static_cast<int32_t>(i);
  }
  return -1;
}

const char16_t* TXpElement::elStoreValue(std::u16string_view value) {
  if (value.empty()) return nullptr;
  auto* chars =
      static_cast<char16_t*>(XpNodeAllocateIn(elArena(), value.size() * sizeof(char16_t)));
  std::copy(value.begin(), value.end(), chars);
  return chars;
}

void TXpElement::elFreeValue(const TXpAttrPair& pair) {
  if (pair.Value) XpNodeFree(const_cast<char16_t*>(pair.Value), pair.Size * sizeof(char16_t));
}

void TXpElement::elAddPair(const std::u16string& name, std::u16string_view value,
                           const std::u16string* shared, bool owned) {
  if (FPairCount == FPairCapacity) {
    const uint16_t capacity = static_cast<uint16_t>(FPairCapacity ? FPairCapacity * 2 : 2);
    auto* pairs =
        static_cast<TXpAttrPair*>(XpNodeAllocateIn(elArena(), sizeof(TXpAttrPair) * capacity));
    std::copy(FPairs, FPairs + FPairCount, pairs);
    if (FPairs) XpNodeFree(FPairs, sizeof(TXpAttrPair) * FPairCapacity);
    FPairs = pairs;
    FPairCapacity = capacity;
  }
  TXpAttrPair pair{shared, nullptr, static_cast<uint32_t>(value.size()), owned};
  pair.Value = elStoreValue(value);
  if (!shared) pair.Name = XpShareName(name, pair.OwnName, elArena());
  FPairs[FPairCount++] = pair;
}

void TXpElement::elErasePair(int32_t index) {
  const TXpAttrPair pair = FPairs[index];
  if (pair.OwnName) delete pair.Name;
  elFreeValue(pair);
  std::copy(FPairs + index + 1, FPairs + FPairCount, FPairs + index);
  --FPairCount;
}

void TXpElement::elFreePairs(bool keepNames) {
  if (!FPairs) return;
  for (uint32_t i = 0; i < FPairCount; ++i) {
    if (FPairs[i].OwnName && !keepNames) delete FPairs[i].Name;
    elFreeValue(FPairs[i]);
  }
  XpNodeFree(FPairs, sizeof(TXpAttrPair) * FPairCapacity);
  FPairs = nullptr;
  FPairCount = FPairCapacity = 0;
}

void TXpElement::elMakeAttributeNodes() const {
  if (FAttributes || !FPairs) return;
  auto* self = const_cast<TXpElement*>(this);
  TXpArenaScope arena(elArena());
  FAttributes = std::make_unique<TXpNamedNodeMap>();
  FAttributes->FOwner = self;
  TXpDocument* doc = noGetOwnerDocument();
  for (uint32_t i = 0; i < FPairCount; ++i) {
    TXpAttrPair& pair = FPairs[i];
    auto* attr = new TXpAttribute();
    attr->FNodeName = pair.Name;  // the node takes the name over
    attr->FOwnName = pair.OwnName;
    pair.OwnName = false;
    attr->SetNodeValue(std::u16string(pair.ValueView()));
    attr->SetParentNode(self);
    attr->SetnoOwnerDocument(doc);
    FAttributes->Add(attr);
    attr->Release();
  }
  self->elFreePairs(true);
}

void TXpElement::elNoteNamespace(TXpAttribute* attr) {
  const std::u16string& name = attr->NodeName();
  if (name.compare(0, 5, u"xmlns") != 0) return;
  if (attr->noGetPrefix() == u"xmlns") {
    auto* decl = new TXpAttribute(attr->noGetLocalName(), attr->NodeValue());
    decl->SetnoOwnerDocument(noGetOwnerDocument());
    if (TXpNode* old = noEnsureNamespaceDecls()->SetNamedItem(decl)) old->Release();
    decl->Release();
  } else if (attr->NodeName() == u"xmlns") {
    SetNamespaceURI(attr->NodeValue());
  }
}

TXpAttribute* TXpElement::elPutAttribute(TXpAttribute* attr, bool byNamespace) {
  if (!attr) throw TXpDOMException(ecInvalidParamErr);
  if (attr->noGetOwnerDocument() && attr->noGetOwnerDocument() != noGetOwnerDocument())
    throw TXpDOMException(ecWrongDocumentErr);
  if (attr->ParentNode() && attr->ParentNode() != this) throw TXpDOMException(ecInuseAttributeErr);
  if (attr->NodeName().empty() || !XpValidName(attr->NodeName()))
    throw TXpDOMException(ecInvalidNameErr);
  TXpArenaScope arena(elArena());
  TXpNamedNodeMap* map = noEnsureAttributes();
  TXpNode* old = byNamespace ? map->RemoveNamedItemNS(attr->NamespaceURI(), attr->noGetLocalName())
                             : map->RemoveSameName(attr);
  if (old == attr) {
    // Setting the same node again moves it to the end.
    map->Add(attr);
    old->Release();
    return nullptr;
  }
  if (old) old->SetParentNode(nullptr);
  attr->SetParentNode(this);
  attr->SetnoOwnerDocument(noGetOwnerDocument());
  map->Add(attr);
  elNoteNamespace(attr);
  return static_cast<TXpAttribute*>(old);
}

void TXpElement::SetAttribute(const std::u16string& name, const std::u16string& value) {
  if (elUsesPairs() && name.compare(0, 5, u"xmlns") != 0) {
    bool owned = false;
    const std::u16string* shared = XpShareValidName(name, owned, elArena());
    if (!shared) throw TXpDOMException(ecInvalidNameErr);
    const int32_t i = elFindPair(shared, owned);
    if (i >= 0) {
      if (owned) delete shared;
      // Replacing an attribute moves it to the end.
      TXpAttrPair pair = FPairs[i];
      const char16_t* chars = elStoreValue(value);
      elFreeValue(pair);
      pair.Value = chars;
      pair.Size = static_cast<uint32_t>(value.size());
      std::copy(FPairs + i + 1, FPairs + FPairCount, FPairs + i);
      FPairs[FPairCount - 1] = pair;
      return;
    }
    if (FPairCount < kMaxPairs) {
      try {
        elAddPair(name, value, shared, owned);
      } catch (...) {
        if (owned) delete shared;
        throw;
      }
      return;
    }
    if (owned) delete shared;
    elMakeAttributeNodes();
  }
  TXpArenaScope arena(elArena());
  auto* attr = new TXpAttribute(name, value);
  TXpAttribute* old = nullptr;
  try {
    old = elPutAttribute(attr, false);
  } catch (...) {
    attr->Release();
    throw;
  }
  attr->Release();
  if (old) old->Release();
}

TXpAttribute* TXpElement::SetAttributeNode(TXpAttribute* attr) { return elPutAttribute(attr, false); }

TXpAttribute* TXpElement::SetAttributeNS(const std::u16string& uri,
                                         const std::u16string& qualifiedName,
                                         const std::u16string& value) {
  TXpArenaScope arena(elArena());
  auto* attr = new TXpAttribute(qualifiedName, value);
  attr->SetNamespaceURI(uri);
  TXpAttribute* old = nullptr;
  try {
    old = elPutAttribute(attr, true);
  } catch (...) {
    attr->Release();
    throw;
  }
  attr->Release();
  return old;
}

TXpAttribute* TXpElement::SetAttributeNodeNS(TXpAttribute* attr) {
  return elPutAttribute(attr, true);
}

TXpAttribute* TXpElement::GetAttributeNode(const std::u16string& name) const {
  return Attributes() ? static_cast<TXpAttribute*>(Attributes()->GetNamedItem(name)) : nullptr;
}

std::u16string TXpElement::GetAttribute(const std::u16string& name) const {
  if (elUsesPairs()) {
    const int32_t i = elFindPair(name);
    return i < 0 ? std::u16string() : std::u16string(FPairs[i].ValueView());
  }
  TXpAttribute* attr = GetAttributeNode(name);
  if (!attr) return std::u16string();
  if (!attr->NodeValue().empty()) return attr->NodeValue();
  std::u16string value;
  const TXpNodeList* children = attr->ChildNodes();
  for (int32_t i = 0; i < children->nlGetLength(); ++i)
    if (children->Item(i)->noNameEquals(name)) value = children->Item(i)->NodeValue();
  return value;
}

int32_t TXpElement::GetAttributeInt(const std::u16string& name) const {
  const std::u16string value = GetAttribute(name);
  if (value.empty()) return 0;
  size_t i = 0;
  bool negative = false;
  if (value[0] == u'+' || value[0] == u'-') {
    negative = value[0] == u'-';
    i = 1;
  }
  int64_t result = 0;
  bool ok = i < value.size();
  for (; ok && i < value.size(); ++i) {
    const char16_t c = value[i];
    if (c < u'0' || c > u'9') {
      ok = false;
      break;
    }
    result = result * 10 + (c - u'0');
    if (result > 2147483648LL) ok = false;
  }
  if (ok && !negative && result > 2147483647LL) ok = false;
  if (!ok) throw EXpException(FormatRuntime(XpLoadStr(XpRes::_sAttrNotNum).c_str(), WideToAnsi(name).c_str(),
                                     WideToAnsi(NodeName()).c_str()));
  return static_cast<int32_t>(negative ? -result : result);
}

bool TXpElement::HasAttribute(const std::u16string& name) const {
  if (elUsesPairs()) return elFindPair(name) >= 0;
  return GetAttributeNode(name) != nullptr;
}

TXpAttribute* TXpElement::GetAttributeNodeNS(const std::u16string& uri,
                                             const std::u16string& localName) const {
  return Attributes() ? static_cast<TXpAttribute*>(Attributes()->GetNamedItemNS(uri, localName))
                      : nullptr;
}

std::u16string TXpElement::GetAttributeNS(const std::u16string& uri,
                                          const std::u16string& localName) const {
  TXpAttribute* attr = GetAttributeNodeNS(uri, localName);
  return attr ? attr->NodeValue() : std::u16string();
}

void TXpElement::RemoveAttribute(const std::u16string& name) {
  if (elUsesPairs()) {
    const int32_t i = elFindPair(name);
    if (i >= 0) elErasePair(i);
    return;
  }
  if (!Attributes()) return;
  if (TXpNode* old = Attributes()->RemoveNamedItem(name)) {
    old->SetParentNode(nullptr);
    old->Release();
  }
}

TXpAttribute* TXpElement::RemoveAttributeNode(TXpAttribute* attr) {
  const int32_t index = Attributes() ? Attributes()->IndexOf(attr) : -1;
  if (index < 0) throw TXpDOMException(ecNotFoundErr);
  attr->AddRef();
  Attributes()->Delete(index);
  attr->SetParentNode(nullptr);
  return attr;
}

void TXpElement::RemoveAttributeNS(const std::u16string& uri, const std::u16string& localName) {
  if (!Attributes()) return;
  if (TXpNode* old = Attributes()->RemoveNamedItemNS(uri, localName)) {
    old->SetParentNode(nullptr);
    old->Release();
  }
}

// --- children ---

namespace {

TXpDocument* RequireOwner(const TXpNode* node) {
  TXpDocument* doc = node->noGetOwnerDocument();
  if (!doc) throw TXpDOMException(ecWrongDocumentErr);
  return doc;
}

// Appends a new node, whose creation reference goes with the call; the
// tree holds it from then on.
template <class T>
T* AppendCreated(TXpNode* parent, T* created) {
  auto node = TXpNodeRef<T>::Adopt(created);
  parent->AppendChild(node.Get());
  return node.Get();
}

}  // namespace

TXpElement* TXpElement::CreateChildElement(const std::u16string& name) {
  return AppendCreated(this, RequireOwner(this)->CreateElement(name));
}

TXpNode* TXpElement::CreateChildText(const std::u16string& text) {
  return AppendCreated(this, RequireOwner(this)->CreateTextNode(text));
}

TXpNode* TXpElement::CreateChildCDataSection(const std::u16string& text) {
  return AppendCreated(this, RequireOwner(this)->CreateCDATASection(text));
}

// --- queries ---

namespace {

bool NameMatches(const TXpNode* node, const std::u16string& name) {
  return name == u"*" || node->noNameEquals(name);
}

// Calls f for each word of text separated by XML whitespace.
template <class F>
void ForEachWord(const std::u16string& text, F f) {
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && XPIsSpace(text[i])) ++i;
    size_t j = i;
    while (j < text.size() && !XPIsSpace(text[j])) ++j;
    if (j > i && f(text.substr(i, j - i))) return;
    i = j;
  }
}

}  // namespace

TXpElement* TXpElement::elTraverseTreeForElement(TXpNode* node, const std::u16string& name) {
  TXpNodeList* children = node->ChildNodes();
  for (int32_t i = 0; i < children->nlGetLength(); ++i) {
    TXpNode* child = children->Item(i);
    if (child->NodeType() != ELEMENT_NODE) continue;
    if (NameMatches(child, name)) return static_cast<TXpElement*>(child);
    if (TXpElement* found = elTraverseTreeForElement(child, name)) return found;
  }
  return nullptr;
}

TXpElement* TXpElement::FindElement(const std::u16string& name) {
  return elTraverseTreeForElement(this, name);
}

void TXpElement::elTraverseTreeForElements(TXpNodeList* list, TXpNode* node,
                                           const std::u16string& name,
                                           const std::u16string* uri) {
  XpCollectElements(list, node, name, uri);
}

std::unique_ptr<TXpNodeList> TXpElement::GetChildElementsByTagName(const std::u16string& name) {
  auto list = std::make_unique<TXpNodeList>();
  for (int32_t i = 0; i < ChildNodes()->nlGetLength(); ++i) {
    TXpNode* child = ChildNodes()->Item(i);
    if (child->NodeType() == ELEMENT_NODE && NameMatches(child, name)) list->Add(child);
  }
  return list;
}

std::unique_ptr<TXpNodeList> TXpElement::GetElementsByTagName(const std::u16string& name) {
  auto list = std::make_unique<TXpNodeList>();
  elTraverseTreeForElements(list.get(), this, name, nullptr);
  return list;
}

std::unique_ptr<TXpNodeList> TXpElement::GetElementsByTagNameNS(const std::u16string& uri,
                                                                const std::u16string& localName) {
  auto list = std::make_unique<TXpNodeList>();
  elTraverseTreeForElements(list.get(), this, localName, &uri);
  return list;
}

void TXpElement::elTraverseTreeForElementsWithAttribute(TXpNodeList* list, TXpNode* node,
                                                        const std::u16string& name,
                                                        const std::u16string& attr,
                                                        const std::u16string& value) {
  TXpNodeList* children = node->ChildNodes();
  for (int32_t i = 0; i < children->nlGetLength(); ++i) {
    TXpNode* child = children->Item(i);
    if (child->NodeType() != ELEMENT_NODE) continue;
    auto* element = static_cast<TXpElement*>(child);
    if (NameMatches(child, name) && element->HasAttribute(attr) &&
        element->GetAttribute(attr) == value)
      list->Add(child);
    elTraverseTreeForElementsWithAttribute(list, child, name, attr, value);
  }
}

std::unique_ptr<TXpNodeList> TXpElement::GetElementsByTagNameWithAttribute(
    const std::u16string& name, const std::u16string& attr, const std::u16string& value) {
  auto list = std::make_unique<TXpNodeList>();
  elTraverseTreeForElementsWithAttribute(list.get(), this, name, attr, value);
  return list;
}

void TXpElement::elTraverseTreeForElementsWithIDs(TXpNodeList* list, TXpNode* node,
                                                  const std::u16string& idAttribute,
                                                  const std::u16string& ids) {
  TXpNodeList* children = node->ChildNodes();
  for (int32_t i = 0; i < children->nlGetLength(); ++i) {
    TXpNode* child = children->Item(i);
    if (child->NodeType() != ELEMENT_NODE) continue;
    auto* element = static_cast<TXpElement*>(child);
    if (element->HasAttribute(idAttribute)) {
      const std::u16string id = element->GetAttribute(idAttribute);
      bool found = false;
      ForEachWord(ids, [&](const std::u16string& word) { return found = (word == id); });
      if (found) list->Add(child);
    }
    elTraverseTreeForElementsWithIDs(list, child, idAttribute, ids);
  }
}

std::unique_ptr<TXpNodeList> TXpElement::GetElementsWithIDs(const std::u16string& idAttribute,
                                                            const std::u16string& ids) {
  auto list = std::make_unique<TXpNodeList>();
  elTraverseTreeForElementsWithIDs(list.get(), this, idAttribute, ids);
  return list;
}

bool TXpElement::elAttribValueEquals(const std::u16string& name,
                                     const std::u16string& value) const {
  return HasAttribute(name) && GetAttribute(name) == value;
}

bool TXpElement::elAttribValueIn(const std::u16string& name, const std::u16string& list) const {
  if (!HasAttribute(name)) return false;
  const std::u16string value = GetAttribute(name);
  bool found = false;
  ForEachWord(list, [&](const std::u16string& word) { return found = (word == value); });
  return found;
}

std::u16string TXpElement::elGetElementText() const { return noGetStringValue(); }

std::u16string TXpElement::elGetImmediateChildText(const TXpNode* node) const {
  std::u16string text;
  const TXpNodeList* children = node->ChildNodes();
  for (int32_t i = 0; i < children->nlGetLength(); ++i) {
    const TXpNode* child = children->Item(i);
    if (child->NodeType() == TEXT_NODE || child->NodeType() == CDATA_SECTION_NODE)
      text += child->NodeValue();
  }
  return text;
}

bool TXpElement::elIsNthOccurrence(int32_t n) const {
  TXpNode* parent = ParentNode();
  if (!parent) return n == 1;
  int32_t count = 0;
  const TXpNodeList* siblings = parent->ChildNodes();
  for (int32_t i = 0; i < siblings->nlGetLength(); ++i) {
    const TXpNode* sibling = siblings->Item(i);
    if (sibling->NodeType() != ELEMENT_NODE || !sibling->noNameEquals(NodeName())) continue;
    ++count;
    if (sibling == this) return count == n;
  }
  return false;
}

void TXpElement::elStripWhitespaceNodesPrim(TXpNode* node, bool recursive) {
  // The element and, when recursive, every element below it through
  // element children; each child list is swept in one pass.
  for (TXpNode* n = node; n;) {
    n->ChildNodes()->nlRemoveIf([n](TXpNode* child) {
      if (child->NodeType() != TEXT_NODE) return false;
      for (char16_t c : child->NodeValue())
        if (!XPIsSpace(c)) return false;
      if (child->ParentNode() == n) child->SetParentNode(nullptr);
      return true;
    });
    if (!recursive) break;
    n = n == node || n->NodeType() == ELEMENT_NODE ? XpNextInSubtree(n, node)
                                                   : XpNextSkippingChildren(n, node);
    while (n && n->NodeType() != ELEMENT_NODE) n = XpNextSkippingChildren(n, node);
  }
}

void TXpElement::StripWhitespaceNodes(bool recursive) { elStripWhitespaceNodesPrim(this, recursive); }
