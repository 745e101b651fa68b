#include "xml/dom/XpDocumentType.h"

#include "xml/dom/XpDOMException.h"
#include "xml/dom/XpDTDNodes.h"
#include "xml/dom/XpNodeRef.h"

TXpDocumentType::TXpDocumentType() { SetNodeType(DOCUMENT_TYPE_NODE); }

TXpDocumentType::TXpDocumentType(const std::u16string& name, bool external) : TXpDocumentType() {
  SetNodeName(name);
  FExternal = external;
}

TXpDocumentType::~TXpDocumentType() {
  if (FExternalSubset) FExternalSubset->Release();
}

void TXpDocumentType::SetExternalSubset(TXpDocumentType* subset) {
  if (subset == FExternalSubset) return;
  if (subset) subset->AddRef();
  if (FExternalSubset) FExternalSubset->Release();
  FExternalSubset = subset;
}

namespace {

void RequireName(const std::u16string& name) {
  if (name.empty()) throw TXpDOMException(ecInvalidNameErr);
}

template <class T>
TXpNodeRef<T> MakeDeclaration(const TXpNode* owner, const std::u16string& name) {
  auto node = TXpNodeRef<T>::Adopt(new T());
  node->SetNodeName(name);
  node->SetnoOwnerDocument(owner->noGetOwnerDocument());
  return node;
}

}  // namespace

TXpDTDElement* TXpDocumentType::CreateDTDElement(const std::u16string& name, int32_t contentType) {
  RequireName(name);
  auto node = MakeDeclaration<TXpDTDElement>(this, name);
  node->elSetContentType(contentType);
  return node.Detach();
}

TXpDTDAttlist* TXpDocumentType::CreateDTDAttlist(const std::u16string& name) {
  RequireName(name);
  return MakeDeclaration<TXpDTDAttlist>(this, name).Detach();
}

TXpDTDEntity* TXpDocumentType::CreateDTDEntity(const std::u16string& name) {
  RequireName(name);
  return MakeDeclaration<TXpDTDEntity>(this, name).Detach();
}

TXpDTDNotation* TXpDocumentType::CreateDTDNotation(const std::u16string& name) {
  RequireName(name);
  return MakeDeclaration<TXpDTDNotation>(this, name).Detach();
}

TXpDTDConditional* TXpDocumentType::CreateDTDConditional(int32_t kind) {
  auto node = MakeDeclaration<TXpDTDConditional>(this, std::u16string());
  node->SetKind(kind);
  return node.Detach();
}

std::unique_ptr<TXpNodeList> TXpDocumentType::noGetNodesByNodeTypeName(
    int32_t type, const std::u16string& name) {
  auto list = TXpNode::noGetNodesByNodeTypeName(type, name);
  if (FExternalSubset && FExternalSubset != this)
    noTraverseTreeForNamedNodes(list.get(), FExternalSubset, name, type);
  return list;
}

void TXpDocumentType::dtCopyInto(TXpDocumentType* clone, bool deep) const {
  noCopyInto(clone, deep);
  clone->SetExternalSubset(FExternalSubset);
  clone->FExternal = FExternal;
  clone->FPublicID = FPublicID;
  clone->FSystemID = FSystemID;
}

TXpNode* TXpDocumentType::CloneNode(bool deep) const {
  auto* clone = new TXpDocumentType();
  dtCopyInto(clone, deep);
  return clone;
}
