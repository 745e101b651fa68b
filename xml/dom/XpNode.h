// Base class of every node of an XML document tree.
//
// Lifetime: nodes are reference-counted. A new node holds one reference for
// its creator; a child list or attribute map that takes the node holds its
// own. Only Release destroys a node (the destructor is not public).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "xml/dom/XpNodeList.h"
#include "xml/dom/XpNodePool.h"

class TXpDocument;
class TXpNamedNodeMap;
class TXpValue;

// Node types.
constexpr int32_t ELEMENT_NODE = 1;
constexpr int32_t ATTRIBUTE_NODE = 2;
constexpr int32_t TEXT_NODE = 3;
constexpr int32_t CDATA_SECTION_NODE = 4;
constexpr int32_t ENTITY_REFERENCE_NODE = 5;
constexpr int32_t ENTITY_NODE = 6;
constexpr int32_t PROCESSING_INSTRUCTION_NODE = 7;
constexpr int32_t COMMENT_NODE = 8;
constexpr int32_t DOCUMENT_NODE = 9;
constexpr int32_t DOCUMENT_TYPE_NODE = 10;
constexpr int32_t DOCUMENT_FRAGMENT_NODE = 11;
constexpr int32_t NOTATION_NODE = 12;
constexpr int32_t DTD_ELEMENT_NODE = 50;
constexpr int32_t DTD_ELEMENT_GROUP_NODE = 51;
constexpr int32_t DTD_ELEMENT_CONTENT_NODE = 52;
constexpr int32_t DTD_ATTLIST_NODE = 53;
constexpr int32_t DTD_ATT_DEFINITION_NODE = 54;
constexpr int32_t DTD_ENTITY_NODE = 55;
constexpr int32_t DTD_NOTATION_NODE = 56;
constexpr int32_t DTD_CONDITIONAL_NODE = 57;
constexpr int32_t XQL_TOKEN_NODE = 99;

class TXpNode {
public:
  TXpNode();
  TXpNode(const TXpNode&) = delete;
  // Nodes come from a pool of equal-sized blocks (see XpNodePool.h).
  static void* operator new(size_t size);
  static void operator delete(void* p, size_t size);
  TXpNode& operator=(const TXpNode&) = delete;

  // --- lifetime ---
  void AddRef() { ++FRefCount; }
  void Release();
  int32_t RefCount() const { return FRefCount; }

  // --- fields ---
  // An element's map is made on first request (see XpElement.h).
  TXpNamedNodeMap* Attributes() const {
    return FAttributes ? FAttributes.get() : noAttributesOnRequest();
  }
  const std::u16string& BaseURI() const { return FMore ? FMore->BaseURI : EmptyText(); }
  void SetBaseURI(const std::u16string& value);
  TXpNodeList* ChildNodes() { return &FChildNodes; }
  const TXpNodeList* ChildNodes() const { return &FChildNodes; }
  const std::u16string& NamespaceURI() const { return FMore ? FMore->NamespaceURI : EmptyText(); }
  void SetNamespaceURI(const std::u16string& value);
  bool OutputEscaping() const { return FOutputEscaping; }
  void SetOutputEscaping(bool value) { FOutputEscaping = value; }
  TXpNamedNodeMap* NamespaceDecls() const { return FMore ? FMore->NamespaceDecls.get() : nullptr; }
  const std::u16string& NodeName() const { return *FNodeName; }
  void SetNodeName(const std::u16string& value);
  int32_t NodeType() const { return FNodeType; }
  const std::u16string& NodeValue() const { return FNodeValue; }
  void SetNodeValue(const std::u16string& value) { FNodeValue = value; }
  TXpDocument* noGetOwnerDocument() const { return FOwnerDocument; }
  TXpNode* ParentNode() const { return FParentNode; }

  // Sets the owner of this node and of the nodes in its attribute and
  // namespace maps; children are not visited.
  virtual void SetnoOwnerDocument(TXpDocument* doc);
  // Sets the owner of node, its children and attributes, recursively, to
  // this node's owner document.
  void ForceOwnerDocument(TXpNode* node);

  // --- virtual operations ---
  virtual std::u16string noGetBaseURI() const;
  virtual std::unique_ptr<TXpNodeList> noGetNodesByNodeTypeName(int32_t type,
                                                                const std::u16string& name);
  virtual std::u16string noGetNodeStringType() const;
  virtual std::u16string noGetStringValue() const;
  // Writes the node as one child of its parent (text, CDATA, comment).
  virtual void noOutput(std::u16string& out, int32_t level) const;
  virtual void noTraverseTreeForNamedNodes(TXpNodeList* list, TXpNode* node,
                                           const std::u16string& name, int32_t type);
  // A new node of the same class (the caller holds its creation reference),
  // or null for classes that cannot be cloned.
  virtual TXpNode* CloneNode(bool deep) const;
  virtual std::u16string LocationPath() const;
  virtual void RemoveAll();

  // --- tree operations (raise TXpDOMException) ---
  void AppendChild(TXpNode* node);
  void InsertBefore(TXpNode* node, TXpNode* refChild);
  // Returns the removed child with one reference for the caller.
  TXpNode* RemoveChild(TXpNode* child);
  // Returns the replaced child with one reference for the caller.
  TXpNode* ReplaceChild(TXpNode* newChild, TXpNode* oldChild);
  bool HasChildNodes() const { return FChildNodes.nlGetLength() > 0; }
  bool HasAttributes() const;
  bool IsSupported(const std::u16string& feature, const std::u16string& version) const;

  // --- navigation ---
  TXpNode* noGetFirstChild() const { return FChildNodes.Item(0); }
  TXpNode* noGetLastChild() const { return FChildNodes.Last(); }
  TXpNode* noGetNextSibling() const;
  TXpNode* noGetPreviousSibling() const;
  TXpNode* noGetNextInDocument() const;
  TXpNode* noGetPreviousInDocument() const;
  TXpNode* noGetLastDescendantOrSelf() const;
  std::u16string noGetPrefix() const;
  std::u16string noGetLocalName() const;
  std::u16string noGetNamespace() const;
  std::u16string ResolveNSPrefix(const std::u16string& prefix) const;
  std::u16string noGetText() const;
  std::u16string Text() const { return noGetText(); }
  bool noNameEquals(const std::u16string& name) const;
  std::u16string noGetLevelCode() const;
  bool IsAfter(const TXpNode* node) const;

  // New lists (the caller frees them) of children, or of all descendants in
  // document order, of one node type; "*" as name matches every name.
  std::unique_ptr<TXpNodeList> GetChildNodesByNodeType(int32_t type);
  std::unique_ptr<TXpNodeList> GetNodesByNodeType(int32_t type);
  std::unique_ptr<TXpNodeList> noGetChildNodesByNodeTypeName(int32_t type,
                                                             const std::u16string& name);
  void noTraverseTreeForNodes(TXpNodeList* list, TXpNode* node, int32_t type);

  void noTraverseTreeToNormalize();
  void Normalize() { noTraverseTreeToNormalize(); }

  // Leading and trailing whitespace removed, inner runs made one blank.
  static std::u16string noNormalize(const std::u16string& text);

  // --- XPath queries with this node as context (built by the XPath
  //     library); an empty expression gives the empty result without
  //     evaluating. The context list, when given, supplies position() and
  //     last(). Errors raise TXpXPathException or TXpDOMException. ---
  // The result with its type, null for an empty expression.
  std::unique_ptr<TXpValue> Select(const std::u16string& expression,
                                   const TXpNodeList* context = nullptr);
  // The nodes of a node-set result in document order (empty otherwise).
  std::unique_ptr<TXpNodeList> SelectNodes(const std::u16string& expression);
  // The first node of SelectNodes, or null; it stays in its tree.
  TXpNode* SelectSingleNode(const std::u16string& expression);
  std::u16string SelectString(const std::u16string& expression);
  std::u16string SelectStringContext(const std::u16string& expression, const TXpNodeList* context);
  double SelectNumber(const std::u16string& expression);
  double SelectNumberContext(const std::u16string& expression, const TXpNodeList* context);
  bool SelectBoolean(const std::u16string& expression);
  bool SelectBooleanContext(const std::u16string& expression, const TXpNodeList* context);
  int32_t SelectInteger(const std::u16string& expression);

  // --- markup (writer) ---
  std::u16string noomGetXpDocument() const;
  void noomGetXpDocument(std::u16string& out) const;
  // Writes the children of parent; returns whether the last one was text.
  bool noOutputXpSiblings(std::u16string& out, const TXpNode* parent, int32_t level) const;
  void noOutputXpText(std::u16string& out, std::u16string_view text, bool isAttribute) const;
  void noOutputIndent(std::u16string& out, int32_t level) const;
  void noOutputXpAttributes(std::u16string& out, const TXpNode* element) const;

protected:
  virtual ~TXpNode();

  // Copies the common fields into clone and, when deep, clones of the
  // children (used by every CloneNode).
  void noCopyInto(TXpNode* clone, bool deep) const;
  void SetNodeType(int32_t type) { FNodeType = type; }
  TXpNamedNodeMap* noEnsureAttributes();
  TXpNamedNodeMap* noAttributesOnRequest() const;
  TXpNamedNodeMap* noEnsureNamespaceDecls();
  void SetParentNode(TXpNode* parent) { FParentNode = parent; }
  bool noIsAncestorOrSelf(const TXpNode* node) const;
  void noCheckNewChild(TXpNode* node) const;
  void noOutputElement(std::u16string& out, int32_t level) const;
  bool noOpenElement(std::u16string& out) const;
  void noCloseElement(std::u16string& out, int32_t level, bool lastWasText) const;
  // Writes one child of parent that follows a sibling of type prevType (0
  // for the first child).
  void noOutputChild(std::u16string& out, const TXpNode* parent, const TXpNode* child,
                     int32_t level, int32_t prevType) const;
  void noOutputDTDDeclaration(std::u16string& out, int32_t level) const;
  void noOutputDocType(std::u16string& out) const;

  friend class TXpNodeList;
  friend class TXpNamedNodeMap;
  friend class TXpElement;
  friend class TXpDocument;

  // Fields few nodes set, kept apart to keep every node small.
  struct TMore {
    std::u16string BaseURI;
    std::u16string NamespaceURI;
    std::unique_ptr<TXpNamedNodeMap> NamespaceDecls;
  };
  TMore& noMore();

private:
  static const std::u16string& EmptyText();

  // The fields a walk over the tree reads come first, in the node's first
  // 64 bytes: type, slot and parent (a step to a sibling reads nothing
  // else of the node), then the child list's entries.
  int32_t FNodeType = 0;
  // The node's slot in its parent's child list (or attribute map).
  uint32_t FSlot = 0;
  TXpNode* FParentNode = nullptr;
  TXpNodeList FChildNodes;
  const std::u16string* FNodeName;  // shared (XpNameTable.h) unless FOwnName
  int32_t FRefCount = 1;
  bool FOutputEscaping = true;
  bool FOwnName = false;
  mutable std::unique_ptr<TXpNamedNodeMap> FAttributes;
  std::unique_ptr<TMore> FMore;
  std::u16string FNodeValue;
  // Null once the document has gone, though the node may live on.
  TXpOwnerRef FOwnerDocument;
};
