#include "xml/dom/XpNode.h"

#include <new>
#include <vector>

#include "xml/dom/XpDOMException.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpNamedNodeMap.h"
#include "xml/dom/XpNameTable.h"
#include "xml/dom/XpNodePool.h"
#include "xml/dom/XpCharClasses.h"
#include "xml/dom/XpTreeHelpers.h"
#include "classlib/AnsiString.h"

TXpNode::TXpNode() : FNodeName(XpEmptyName()) { FChildNodes.FOwner = this; }

void* TXpNode::operator new(size_t size) {
  // A child list finds the arena of its node from the node's address, which
  // only a block of the pool's slabs gives.
  if (size > kXpPooledMax) throw std::bad_alloc();
  return XpNodeAllocate(size);
}

void TXpNode::operator delete(void* p, size_t size) { XpNodeFree(p, size); }

const std::u16string& TXpNode::EmptyText() {
  static const std::u16string empty;
  return empty;
}

TXpNode::TMore& TXpNode::noMore() {
  if (!FMore) FMore = std::make_unique<TMore>();
  return *FMore;
}

void TXpNode::SetBaseURI(const std::u16string& value) {
  if (FMore || !value.empty()) noMore().BaseURI = value;
}

void TXpNode::SetNamespaceURI(const std::u16string& value) {
  if (FMore || !value.empty()) noMore().NamespaceURI = value;
}

TXpNode::~TXpNode() {
  FChildNodes.nlDropAll(this);
  if (FOwnName) delete FNodeName;
  for (TXpNamedNodeMap* map : {FAttributes.get(), NamespaceDecls()})
    if (map) map->nlDropAll(this);
}

namespace {

// Nodes whose last reference went while another node was being destroyed
// on this thread. Destroying them one after the other, instead of inside
// their parent's destructor, keeps the stack flat however deep the tree.
struct PendingDeletes {
  std::vector<TXpNode*> nodes;
  bool active = false;
};
thread_local PendingDeletes tPending;

}  // namespace

void TXpNode::Release() {
  if (--FRefCount >= 1) return;
  PendingDeletes& pending = tPending;
  if (pending.active) {
    pending.nodes.push_back(this);
    return;
  }
  pending.active = true;
  delete this;
  while (!pending.nodes.empty()) {
    TXpNode* node = pending.nodes.back();
    pending.nodes.pop_back();
    if (pending.nodes.size() >= 2) XpPrefetch(pending.nodes[pending.nodes.size() - 2]);
    delete node;
  }
  pending.active = false;
}

void TXpNode::SetNodeName(const std::u16string& value) {
  bool owned = false;
  const std::u16string* name = XpShareName(value, owned, XpArenaOf(this));
  if (FOwnName) delete FNodeName;
  FNodeName = name;
  FOwnName = owned;
  // The attribute map of the element finds its entries by name.
  if (FNodeType == ATTRIBUTE_NODE && FParentNode && FParentNode->FAttributes)
    FParentNode->FAttributes->nlReordered();
}

void TXpNode::SetnoOwnerDocument(TXpDocument* doc) {
  FOwnerDocument.Set(doc ? XpArenaLink(doc->docArena()) : nullptr);
  if (FAttributes) FAttributes->SetnoOwnerDocument(doc);
  if (NamespaceDecls()) NamespaceDecls()->SetnoOwnerDocument(doc);
}

void TXpNode::ForceOwnerDocument(TXpNode* node) {
  if (!node) return;
  // Every node of the subtree, and of the subtrees of their attributes.
  std::vector<TXpNode*> roots{node};
  while (!roots.empty()) {
    TXpNode* root = roots.back();
    roots.pop_back();
    for (TXpNode* n = root; n; n = XpNextInSubtree(n, root)) {
      n->SetnoOwnerDocument(FOwnerDocument);
      for (TXpNamedNodeMap* map : {n->FAttributes.get(), n->NamespaceDecls()}) {
        if (!map) continue;
        for (int32_t i = 0; i < map->nmGetLength(); ++i)
          if (map->Item(i)->HasChildNodes()) roots.push_back(map->Item(i));
      }
    }
  }
}

// --- virtual operations ---

std::u16string TXpNode::noGetBaseURI() const {
  if (!BaseURI().empty()) return BaseURI();
  return FOwnerDocument ? FOwnerDocument->DocLocation() : std::u16string();
}

std::unique_ptr<TXpNodeList> TXpNode::noGetNodesByNodeTypeName(int32_t type,
                                                               const std::u16string& name) {
  auto list = std::make_unique<TXpNodeList>();
  noTraverseTreeForNamedNodes(list.get(), this, name, type);
  return list;
}

std::u16string TXpNode::noGetNodeStringType() const {
  switch (FNodeType) {
    case ELEMENT_NODE: return u"ELEMENT_NODE";
    case ATTRIBUTE_NODE: return u"ATTRIBUTE_NODE";
    case TEXT_NODE: return u"TEXT_NODE";
    case CDATA_SECTION_NODE: return u"CDATA_SECTION_NODE";
    case ENTITY_REFERENCE_NODE: return u"ENTITY_REFERENCE_NODE";
    case ENTITY_NODE: return u"ENTITY_NODE";
    case PROCESSING_INSTRUCTION_NODE: return u"PROCESSING_INSTRUCTION_NODE";
    case COMMENT_NODE: return u"COMMENT_NODE";
    case DOCUMENT_NODE: return u"DOCUMENT_NODE";
    case DOCUMENT_TYPE_NODE: return u"DOCUMENT_TYPE_NODE";
    case DOCUMENT_FRAGMENT_NODE: return u"DOCUMENT_FRAGMENT_NODE";
    case NOTATION_NODE: return u"NOTATION_NODE";
    default: return u"UNKNOWN";
  }
}

namespace {

// Appends the values of text and CDATA nodes of the subtree in document
// order, separated by sep when sep is not 0 (empty pieces are skipped then).
void CollectText(const TXpNode* root, std::u16string& out, char16_t sep) {
  for (const TXpNode* node = root; node; node = XpNextInSubtree(node, root)) {
    const int32_t type = node->NodeType();
    if (type != TEXT_NODE && type != CDATA_SECTION_NODE) continue;
    const std::u16string& value = node->NodeValue();
    if (sep == 0) {
      out += value;
    } else if (!value.empty()) {
      if (!out.empty()) out += sep;
      out += value;
    }
  }
}

}  // namespace

std::u16string TXpNode::noGetStringValue() const {
  std::u16string out;
  CollectText(this, out, 0);
  return out;
}

std::u16string TXpNode::noGetText() const {
  if (FNodeType == ATTRIBUTE_NODE || FNodeType == COMMENT_NODE ||
      FNodeType == PROCESSING_INSTRUCTION_NODE)
    return FNodeValue;
  std::u16string out;
  CollectText(this, out, u' ');
  return out;
}

void TXpNode::noOutput(std::u16string&, int32_t) const {}

void TXpNode::noTraverseTreeForNamedNodes(TXpNodeList* list, TXpNode* node,
                                          const std::u16string& name, int32_t type) {
  for (TXpNode* n = XpNextInSubtree(node, node); n; n = XpNextInSubtree(n, node))
    if (n->FNodeType == type && (name == u"*" || n->noNameEquals(name))) list->Add(n);
}

TXpNode* TXpNode::CloneNode(bool) const { return nullptr; }

std::u16string TXpNode::LocationPath() const {
  if (!FParentNode) return NodeName();
  std::vector<const TXpNode*> steps;
  const TXpNode* top = this;
  for (; top->FParentNode; top = top->FParentNode) steps.push_back(top);
  std::u16string path = top->LocationPath();
  for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
    const TXpNode* n = *it;
    // The document's path is "/" already; never produce "//" (which would
    // mean a descendant step).
    if (path.empty() || path.back() != u'/') path += u'/';
    path += n->NodeName();
    path += u'[';
    path += XpIntToWide(n->FParentNode->FChildNodes.IndexOf(n) + 1);
    path += u']';
  }
  return path;
}

void TXpNode::RemoveAll() { FChildNodes.nlDropAll(this); }

void TXpNode::noCopyInto(TXpNode* clone, bool deep) const {
  clone->FNodeType = FNodeType;
  if (FOwnName || XpArenaOf(clone) != XpArenaOf(this))
    clone->SetNodeName(NodeName());
  else
    clone->FNodeName = FNodeName;  // shared within the arena
  clone->FNodeValue = FNodeValue;
  clone->SetNamespaceURI(NamespaceURI());
  clone->FOwnerDocument.Set(FOwnerDocument.Link());
  clone->FOutputEscaping = FOutputEscaping;
  if (!deep) return;
  // The subtree is copied node by node without recursion: target is the
  // copy of src's parent.
  const TXpNode* src = noGetFirstChild();
  TXpNode* target = clone;
  while (src) {
    TXpNode* copy = src->CloneNode(false);
    if (copy) {
      copy->FParentNode = target;
      target->FChildNodes.Add(copy);
      copy->Release();
      if (src->HasChildNodes()) {
        target = copy;
        src = src->noGetFirstChild();
        continue;
      }
    }
    // A node that cannot be copied is left out with its subtree.
    while (src != this && !src->noGetNextSibling()) {
      src = src->FParentNode;
      target = target->FParentNode;
    }
    src = src == this ? nullptr : src->noGetNextSibling();
  }
}

TXpNamedNodeMap* TXpNode::noEnsureAttributes() {
  if (!FAttributes && !Attributes()) {
    FAttributes = std::make_unique<TXpNamedNodeMap>();
    FAttributes->FOwner = this;
  }
  return FAttributes.get();
}

TXpNamedNodeMap* TXpNode::noAttributesOnRequest() const {
  if (FNodeType != ELEMENT_NODE) return nullptr;
  const auto* element = static_cast<const TXpElement*>(this);
  if (!element->elHasPairs()) return nullptr;
  element->elMakeAttributeNodes();
  return FAttributes.get();
}

TXpNamedNodeMap* TXpNode::noEnsureNamespaceDecls() {
  TMore& more = noMore();
  if (!more.NamespaceDecls) more.NamespaceDecls = std::make_unique<TXpNamedNodeMap>();
  return more.NamespaceDecls.get();
}

// --- tree operations ---

bool TXpNode::noIsAncestorOrSelf(const TXpNode* node) const {
  for (const TXpNode* p = node; p; p = p->FParentNode)
    if (p == this) return true;
  return false;
}

void TXpNode::noCheckNewChild(TXpNode* node) const {
  if (!node) throw TXpDOMException(ecInvalidParamErr);
  if (node->noGetOwnerDocument() != noGetOwnerDocument()) throw TXpDOMException(ecWrongDocumentErr);
  switch (FNodeType) {
    case TEXT_NODE:
    case CDATA_SECTION_NODE:
    case ENTITY_NODE:
    case PROCESSING_INSTRUCTION_NODE:
    case COMMENT_NODE:
    case NOTATION_NODE:
      throw TXpDOMException(ecHierarchyRequestErr);
    default:
      break;
  }
  // Only a node with children can be an ancestor: appending a leaf never
  // walks up the tree.
  if (node->FNodeType == DOCUMENT_NODE || node->FNodeType == ATTRIBUTE_NODE || node == this ||
      (node->HasChildNodes() && node->noIsAncestorOrSelf(this)))
    throw TXpDOMException(ecHierarchyRequestErr);
}

namespace {

// Takes node out of its parent's child list; the caller holds a reference.
void Detach(TXpNode* node) {
  TXpNode* parent = node->ParentNode();
  if (!parent) return;
  const int32_t i = parent->ChildNodes()->IndexOf(node);
  if (i >= 0) parent->ChildNodes()->Delete(i);
}

}  // namespace

void TXpNode::AppendChild(TXpNode* node) {
  noCheckNewChild(node);
  if (node->FNodeType == DOCUMENT_FRAGMENT_NODE) {
    for (int32_t i = 0; i < node->FChildNodes.nlGetLength(); ++i) {
      TXpNode* clone = node->FChildNodes.Item(i)->CloneNode(true);
      if (!clone) continue;
      clone->FParentNode = this;
      FChildNodes.Add(clone);
      clone->Release();
    }
    return;
  }
  node->AddRef();
  Detach(node);
  node->FParentNode = this;
  FChildNodes.Add(node);
  node->Release();
}

void TXpNode::InsertBefore(TXpNode* node, TXpNode* refChild) {
  noCheckNewChild(node);
  if (!refChild) {
    AppendChild(node);
    return;
  }
  if (FChildNodes.IndexOf(refChild) < 0) throw TXpDOMException(ecNotFoundErr);
  if (node == refChild) return;
  if (node->FNodeType == DOCUMENT_FRAGMENT_NODE) {
    int32_t index = FChildNodes.IndexOf(refChild);
    for (int32_t i = 0; i < node->FChildNodes.nlGetLength(); ++i) {
      TXpNode* clone = node->FChildNodes.Item(i)->CloneNode(true);
      if (!clone) continue;
      clone->FParentNode = this;
      FChildNodes.Insert(index++, clone);
      clone->Release();
    }
    return;
  }
  node->AddRef();
  Detach(node);
  node->FParentNode = this;
  FChildNodes.Insert(FChildNodes.IndexOf(refChild), node);
  node->Release();
}

TXpNode* TXpNode::RemoveChild(TXpNode* child) {
  const int32_t index = FChildNodes.IndexOf(child);
  if (index < 0) throw TXpDOMException(ecNotFoundErr);
  child->FParentNode = nullptr;
  child->AddRef();
  FChildNodes.Delete(index);
  return child;
}

TXpNode* TXpNode::ReplaceChild(TXpNode* newChild, TXpNode* oldChild) {
  noCheckNewChild(newChild);
  int32_t index = FChildNodes.IndexOf(oldChild);
  if (index < 0) throw TXpDOMException(ecNotFoundErr);
  oldChild->AddRef();  // the caller's reference
  if (newChild == oldChild) return oldChild;
  if (newChild->FNodeType == DOCUMENT_FRAGMENT_NODE) {
    FChildNodes.Delete(index);
    oldChild->FParentNode = nullptr;
    for (int32_t i = 0; i < newChild->FChildNodes.nlGetLength(); ++i) {
      TXpNode* clone = newChild->FChildNodes.Item(i)->CloneNode(true);
      if (!clone) continue;
      clone->FParentNode = this;
      FChildNodes.Insert(index++, clone);
      clone->Release();
    }
    return oldChild;
  }
  newChild->AddRef();
  Detach(newChild);
  newChild->FParentNode = this;
  FChildNodes.Replace(FChildNodes.IndexOf(oldChild), newChild);
  newChild->Release();
  oldChild->FParentNode = nullptr;
  return oldChild;
}

bool TXpNode::HasAttributes() const {
  if (FAttributes) return FAttributes->nmGetLength() > 0;
  return FNodeType == ELEMENT_NODE && static_cast<const TXpElement*>(this)->elPairCount() > 0;
}

bool TXpNode::IsSupported(const std::u16string& feature, const std::u16string& version) const {
  return WideUpperCase(feature) == u"XML" && (version == u"1.0" || version == u"2.0");
}

// --- navigation ---

// A walk over siblings soon reads the nodes a few steps ahead: asking for
// them now hides the wait for memory when the tree is larger than the cache.
constexpr int32_t kSiblingLookAhead = 4;

TXpNode* TXpNode::noGetNextSibling() const {
  if (!FParentNode) return nullptr;
  const TXpNodeList& list = FParentNode->FChildNodes;
  const int32_t i = list.IndexOf(this);
  if (i < 0) return nullptr;
  if (TXpNode* ahead = list.Item(i + kSiblingLookAhead)) XpPrefetch(ahead);
  return list.Item(i + 1);
}

TXpNode* TXpNode::noGetPreviousSibling() const {
  if (!FParentNode) return nullptr;
  const TXpNodeList& list = FParentNode->FChildNodes;
  const int32_t i = list.IndexOf(this);
  if (i < 0) return nullptr;
  if (TXpNode* ahead = list.Item(i - kSiblingLookAhead)) XpPrefetch(ahead);
  return list.Item(i - 1);
}

TXpNode* TXpNode::noGetNextInDocument() const {
  if (TXpNode* child = noGetFirstChild()) return child;
  for (const TXpNode* n = this; n; n = n->FParentNode)
    if (TXpNode* next = n->noGetNextSibling()) return next;
  return nullptr;
}

TXpNode* TXpNode::noGetPreviousInDocument() const {
  if (TXpNode* prev = noGetPreviousSibling()) return prev->noGetLastDescendantOrSelf();
  return FParentNode;
}

TXpNode* TXpNode::noGetLastDescendantOrSelf() const {
  const TXpNode* n = this;
  while (TXpNode* last = n->noGetLastChild()) n = last;
  return const_cast<TXpNode*>(n);
}

std::u16string TXpNode::noGetPrefix() const {
  const size_t colon = NodeName().find(u':');
  return colon == std::u16string::npos ? std::u16string() : NodeName().substr(0, colon);
}

std::u16string TXpNode::noGetLocalName() const {
  const size_t colon = NodeName().find(u':');
  return colon == std::u16string::npos ? NodeName() : NodeName().substr(colon + 1);
}

std::u16string TXpNode::noGetNamespace() const { return ResolveNSPrefix(noGetPrefix()); }

std::u16string TXpNode::ResolveNSPrefix(const std::u16string& prefix) const {
  for (const TXpNode* n = this; n; n = n->FParentNode) {
    if (n->FNodeType != ELEMENT_NODE) continue;
    if (prefix.empty()) return n->NamespaceURI();
    if (n->NamespaceDecls())
      if (TXpNode* decl = n->NamespaceDecls()->GetNamedItem(prefix)) return decl->FNodeValue;
  }
  return std::u16string();
}

bool TXpNode::noNameEquals(const std::u16string& name) const {
  if (NodeName() == name) return true;
  if (!FOwnerDocument || !FOwnerDocument->IgnoreCase()) return false;
  return AnsiUpperCase(WideToAnsi(NodeName())) == AnsiUpperCase(WideToAnsi(name));
}

namespace {

// 1-based child positions from the top-most ancestor's child down to node.
std::vector<int32_t> LevelPath(const TXpNode* node) {
  std::vector<int32_t> path;
  for (; node->ParentNode(); node = node->ParentNode())
    path.push_back(node->ParentNode()->ChildNodes()->IndexOf(node) + 1);
  return std::vector<int32_t>(path.rbegin(), path.rend());
}

}  // namespace

std::u16string TXpNode::noGetLevelCode() const {
  std::u16string code;
  for (int32_t pos : LevelPath(this)) {
    if (!code.empty()) code += u'.';
    code += XpIntToWide(pos);
  }
  return code;
}

bool TXpNode::IsAfter(const TXpNode* node) const {
  if (!node || node == this) return false;
  const std::vector<int32_t> mine = LevelPath(this);
  const std::vector<int32_t> other = LevelPath(node);
  if (mine.empty() || other.empty()) return false;
  for (size_t i = 0; i < mine.size() && i < other.size(); ++i) {
    if (mine[i] > other[i]) return true;
    if (mine[i] < other[i]) return false;
  }
  // One is an ancestor of the other: the descendant comes after.
  return mine.size() > other.size();
}

std::unique_ptr<TXpNodeList> TXpNode::GetChildNodesByNodeType(int32_t type) {
  auto list = std::make_unique<TXpNodeList>();
  for (int32_t i = 0; i < FChildNodes.nlGetLength(); ++i) {
    TXpNode* child = FChildNodes.Item(i);
    if (child->FNodeType == type) list->Add(child);
  }
  return list;
}

std::unique_ptr<TXpNodeList> TXpNode::GetNodesByNodeType(int32_t type) {
  auto list = std::make_unique<TXpNodeList>();
  noTraverseTreeForNodes(list.get(), this, type);
  return list;
}

std::unique_ptr<TXpNodeList> TXpNode::noGetChildNodesByNodeTypeName(int32_t type,
                                                                    const std::u16string& name) {
  auto list = std::make_unique<TXpNodeList>();
  for (int32_t i = 0; i < FChildNodes.nlGetLength(); ++i) {
    TXpNode* child = FChildNodes.Item(i);
    if (child->FNodeType == type && (name == u"*" || child->noNameEquals(name))) list->Add(child);
  }
  return list;
}

void TXpNode::noTraverseTreeForNodes(TXpNodeList* list, TXpNode* node, int32_t type) {
  for (TXpNode* n = XpNextInSubtree(node, node); n; n = XpNextInSubtree(n, node))
    if (n->FNodeType == type) list->Add(n);
}

void TXpNode::noTraverseTreeToNormalize() {
  for (TXpNode* node = this; node; node = XpNextInSubtree(node, this)) {
    // Each run of adjacent text nodes becomes its first node; the others
    // leave the list in one pass.
    TXpNodeList& children = node->FChildNodes;
    std::vector<bool> drop;
    TXpNode* runHead = nullptr;
    for (int32_t i = 0; i < children.nlGetLength(); ++i) {
      TXpNode* child = children.Item(i);
      if (child->FNodeType != TEXT_NODE) {
        runHead = nullptr;
      } else if (!runHead) {
        runHead = child;
      } else {
        runHead->FNodeValue += child->FNodeValue;
        child->FParentNode = nullptr;
        drop.resize(static_cast<size_t>(children.nlGetLength()));
        drop[static_cast<size_t>(i)] = true;
      }
    }
    size_t index = 0;
    if (!drop.empty())
      children.nlRemoveIf([&](TXpNode*) { return drop[index++]; });
  }
}

std::u16string TXpNode::noNormalize(const std::u16string& text) {
  std::u16string out;
  bool pendingBlank = false;
  for (char16_t c : text) {
    if (XPIsSpace(c)) {
      pendingBlank = !out.empty();
      continue;
    }
    if (pendingBlank) out += u' ';
    pendingBlank = false;
    out += c;
  }
  return out;
}
