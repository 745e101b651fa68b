#include "xml/dom/XpDocument.h"

#include "xml/dom/XpAttribute.h"
#include "xml/dom/XpCharClasses.h"
#include "xml/dom/XpCharacterData.h"
#include "xml/dom/XpDOMException.h"
#include "xml/dom/XpDocumentFragment.h"
#include "xml/dom/XpDocumentType.h"
#include "xml/dom/XpDomImplementation.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpElementFactory.h"
#include "xml/dom/XpNodeRef.h"
#include "xml/dom/XpEntityReference.h"
#include "xml/dom/XpProcessingInstruction.h"
#include "xml/dom/XpNameTable.h"
#include "xml/dom/XpNodePool.h"
#include "xml/dom/XpTreeHelpers.h"

static_assert(sizeof(TXpDocument) <= kXpPooledMax, "nodes come from the pool's slabs");

TXpDocument::TXpDocument()
    : FArena(XpArenaNew()), FDomImplementation(std::make_unique<TXpDomImplementation>()) {
  SetNodeType(DOCUMENT_NODE);
  XpArenaLink(FArena)->document = this;
  FElementFactory = TXpElementFactory::FindFactory(u"tessxsl");
  if (!FElementFactory) FElementFactory = TXpElementFactory::FindFactory(u"default");
  SetnoOwnerDocument(this);
}

TXpDocument::~TXpDocument() {
  RemoveAll();
  // Nodes still held elsewhere keep the arena until they go.
  XpArenaRelease(FArena);
}

template <class T>
T* TXpDocument::docAdopt(T* node) {
  node->SetnoOwnerDocument(this);
  return node;
}

namespace {

// The document's name table knows the names it has checked before.
void CheckName(const std::u16string& name, TXpNodeArena* arena) {
  bool owned = false;
  const std::u16string* shared = XpShareValidName(name, owned, arena);
  if (owned) delete shared;
  if (!shared) throw TXpDOMException(ecInvalidNameErr);
}

}  // namespace

TXpElement* TXpDocument::CreateElement(const std::u16string& name) {
  TXpArenaScope arena(FArena);
  CheckName(name, FArena);
  TXpElement* element =
      FElementFactory ? FElementFactory->CreateElement(name) : new TXpElement(name);
  return docAdopt(element);
}

TXpElement* TXpDocument::CreateElementNS(const std::u16string& uri,
                                         const std::u16string& qualifiedName) {
  TXpArenaScope arena(FArena);
  auto element = TXpNodeRef<TXpElement>::Adopt(CreateElement(qualifiedName));
  element->SetNamespaceURI(uri);
  return element.Detach();
}

TXpAttribute* TXpDocument::CreateAttribute(const std::u16string& name) {
  TXpArenaScope arena(FArena);
  CheckName(name, FArena);
  return docAdopt(new TXpAttribute(name, std::u16string()));
}

TXpAttribute* TXpDocument::CreateAttributeNS(const std::u16string& uri,
                                             const std::u16string& qualifiedName) {
  TXpArenaScope arena(FArena);
  auto attr = TXpNodeRef<TXpAttribute>::Adopt(CreateAttribute(qualifiedName));
  attr->SetNamespaceURI(uri);
  return attr.Detach();
}

TXpEntityReference* TXpDocument::CreateEntityReference(const std::u16string& name) {
  TXpArenaScope arena(FArena);
  CheckName(name, FArena);
  return docAdopt(new TXpEntityReference(name));
}

TXpProcessingInstruction* TXpDocument::CreateProcessingInstruction(const std::u16string& target,
                                                                   const std::u16string& data) {
  TXpArenaScope arena(FArena);
  // A target is a name; "xml" in any other case is reserved, and "xml"
  // itself is the XML declaration.
  CheckName(target, FArena);
  if (target.size() == 3 && target != u"xml" && (target[0] | 0x20) == u'x' &&
      (target[1] | 0x20) == u'm' && (target[2] | 0x20) == u'l')
    throw TXpDOMException(ecInvalidNameErr);
  // The data would end the instruction early.
  if (data.find(u"?>") != std::u16string::npos) throw TXpDOMException(ecInvalidParamErr);
  return docAdopt(new TXpProcessingInstruction(target, data));
}

TXpText* TXpDocument::CreateTextNode(const std::u16string& text) {
  TXpArenaScope arena(FArena);
  return docAdopt(new TXpText(text));
}

TXpComment* TXpDocument::CreateComment(const std::u16string& text) {
  TXpArenaScope arena(FArena);
  // "--" inside a comment, or "-" right before its end, is not well-formed.
  if (text.find(u"--") != std::u16string::npos || (!text.empty() && text.back() == u'-'))
    throw TXpDOMException(ecInvalidParamErr);
  return docAdopt(new TXpComment(text));
}

TXpCDataSection* TXpDocument::CreateCDATASection(const std::u16string& text) {
  TXpArenaScope arena(FArena);
  return docAdopt(new TXpCDataSection(text));
}

TXpDocumentFragment* TXpDocument::CreateDocumentFragment() {
  TXpArenaScope arena(FArena);
  return docAdopt(new TXpDocumentFragment());
}

TXpDocumentType* TXpDocument::CreateDocumentType(const std::u16string& name, bool external) {
  TXpArenaScope arena(FArena);
  return docAdopt(new TXpDocumentType(name, external));
}

TXpElement* TXpDocument::docGetDocumentElement() const {
  for (int32_t i = 0; i < ChildNodes()->nlGetLength(); ++i) {
    TXpNode* child = ChildNodes()->Item(i);
    if (child->NodeType() == ELEMENT_NODE) return static_cast<TXpElement*>(child);
  }
  return nullptr;
}

TXpDocumentType* TXpDocument::docGetDocType() const {
  for (int32_t i = 0; i < ChildNodes()->nlGetLength(); ++i) {
    TXpNode* child = ChildNodes()->Item(i);
    if (child->NodeType() == DOCUMENT_TYPE_NODE) return static_cast<TXpDocumentType*>(child);
  }
  return nullptr;
}

std::u16string TXpDocument::docGetXpDTD() const {
  TXpDocumentType* doctype = docGetDocType();
  return doctype ? doctype->noomGetXpDocument() : std::u16string();
}

void TXpDocument::docTraverseTreeForElements(TXpNodeList* list, TXpNode* node,
                                             const std::u16string& name,
                                             const std::u16string* uri) {
  XpCollectElements(list, node, name, uri);
}

std::unique_ptr<TXpNodeList> TXpDocument::GetElementsByTagName(const std::u16string& name) {
  auto list = std::make_unique<TXpNodeList>();
  docTraverseTreeForElements(list.get(), this, name, nullptr);
  return list;
}

std::unique_ptr<TXpNodeList> TXpDocument::GetElementsByTagNameNS(const std::u16string& uri,
                                                                 const std::u16string& localName) {
  auto list = std::make_unique<TXpNodeList>();
  docTraverseTreeForElements(list.get(), this, localName, &uri);
  return list;
}

TXpNode* TXpDocument::ImportNode(const TXpNode* node, bool deep) {
  if (!node) throw TXpDOMException(ecInvalidParamErr);
  TXpArenaScope arena(FArena);
  TXpNode* clone = node->CloneNode(deep);
  if (!clone) throw TXpDOMException(ecNotSupportedErr);
  // Every node of the copy, not only its root, belongs to this document.
  ForceOwnerDocument(clone);
  clone->SetNamespaceURI(NamespaceURI());
  return clone;
}

const char16_t* TXpDocument::docLineBreakChars() const {
  switch (FLineBreakMode) {
    case lbmCR: return u"\r";
    case lbmLF: return u"\n";
    default: return u"\r\n";
  }
}
