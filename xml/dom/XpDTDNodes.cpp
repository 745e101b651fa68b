#include "xml/dom/XpDTDNodes.h"

#include "xml/dom/XpDOMException.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpNodeRef.h"

// --- element declaration ---

TXpDTDElement::TXpDTDElement() { SetNodeType(DTD_ELEMENT_NODE); }

void TXpDTDElement::elSetContentType(int32_t value) {
  if (value < 0 || value > 4) throw TXpDOMException(ecInvalidParamErr);
  FContentType = value;
}

namespace {

template <class T>
TXpNodeRef<T> MakeOwned(const TXpNode* owner) {
  auto node = TXpNodeRef<T>::Adopt(new T());
  node->SetnoOwnerDocument(owner->noGetOwnerDocument());
  return node;
}

}  // namespace

TXpDTDElementGroup* TXpDTDElement::CreateDTDElementGroup() {
  return MakeOwned<TXpDTDElementGroup>(this).Detach();
}

TXpNode* TXpDTDElement::CloneNode(bool deep) const {
  auto* clone = new TXpDTDElement();
  noCopyInto(clone, deep);
  clone->FContentType = FContentType;
  return clone;
}

// --- content model ---

TXpDTDElementGroup::TXpDTDElementGroup() { SetNodeType(DTD_ELEMENT_GROUP_NODE); }

TXpDTDElementGroup* TXpDTDElementGroup::CreateDTDElementGroup() {
  return MakeOwned<TXpDTDElementGroup>(this).Detach();
}

TXpDTDElementContent* TXpDTDElementGroup::CreateDTDElementContent(const std::u16string& name,
                                                                  int32_t occurrence,
                                                                  int32_t relation) {
  auto node = MakeOwned<TXpDTDElementContent>(this);
  node->SetNodeName(name);
  node->SetOccurrence(occurrence);
  node->SetRelation(relation);
  return node.Detach();
}

TXpNode* TXpDTDElementGroup::CloneNode(bool deep) const {
  auto* clone = new TXpDTDElementGroup();
  noCopyInto(clone, deep);
  clone->FOccurrence = FOccurrence;
  clone->FRelation = FRelation;
  return clone;
}

TXpDTDElementContent::TXpDTDElementContent() { SetNodeType(DTD_ELEMENT_CONTENT_NODE); }

TXpNode* TXpDTDElementContent::CloneNode(bool deep) const {
  auto* clone = new TXpDTDElementContent();
  noCopyInto(clone, deep);
  clone->FOccurrence = FOccurrence;
  clone->FRelation = FRelation;
  return clone;
}

// --- attribute lists ---

TXpDTDAttlist::TXpDTDAttlist() { SetNodeType(DTD_ATTLIST_NODE); }

TXpDTDAttDefinition* TXpDTDAttlist::CreateDTDAttDefinition(const std::u16string& name,
                                                           int32_t attrType,
                                                           const TXpWideStringList* enumeration,
                                                           int32_t defaultKind,
                                                           const std::u16string& defaultValue) {
  if (name.empty()) throw TXpDOMException(ecInvalidNameErr);
  auto node = MakeOwned<TXpDTDAttDefinition>(this);
  node->SetNodeName(name);
  node->SetAttrType(attrType);
  node->SetEnumeration(enumeration);
  node->SetDefaultKind(defaultKind);
  node->SetNodeValue(defaultValue);
  // Only an attribute declared as ID names the elements' IDs.
  constexpr int32_t kIdType = 2;
  if (attrType == kIdType && noGetOwnerDocument()) noGetOwnerDocument()->SetIdAttribute(name);
  return node.Detach();
}

TXpNode* TXpDTDAttlist::CloneNode(bool deep) const {
  auto* clone = new TXpDTDAttlist();
  noCopyInto(clone, deep);
  return clone;
}

TXpDTDAttDefinition::TXpDTDAttDefinition() { SetNodeType(DTD_ATT_DEFINITION_NODE); }

void TXpDTDAttDefinition::SetEnumeration(const TXpWideStringList* list) {
  if (list)
    FEnumeration = std::make_unique<TXpWideStringList>(*list);
  else
    FEnumeration.reset();
}

TXpNode* TXpDTDAttDefinition::CloneNode(bool deep) const {
  auto* clone = new TXpDTDAttDefinition();
  noCopyInto(clone, deep);
  clone->FAttrType = FAttrType;
  clone->FDefaultKind = FDefaultKind;
  clone->SetEnumeration(FEnumeration.get());
  return clone;
}

// --- entities, notations, conditional sections ---

TXpDTDEntity::TXpDTDEntity() { SetNodeType(DTD_ENTITY_NODE); }

TXpNode* TXpDTDEntity::CloneNode(bool deep) const {
  auto* clone = new TXpDTDEntity();
  noCopyInto(clone, deep);
  clone->FParameterEntity = FParameterEntity;
  clone->FPublicID = FPublicID;
  clone->FSystemID = FSystemID;
  clone->FNotationName = FNotationName;
  return clone;
}

TXpDTDNotation::TXpDTDNotation() { SetNodeType(DTD_NOTATION_NODE); }

TXpNode* TXpDTDNotation::CloneNode(bool deep) const {
  auto* clone = new TXpDTDNotation();
  noCopyInto(clone, deep);
  clone->FPublicID = FPublicID;
  clone->FSystemID = FSystemID;
  return clone;
}

TXpDTDConditional::TXpDTDConditional() { SetNodeType(DTD_CONDITIONAL_NODE); }

TXpNode* TXpDTDConditional::CloneNode(bool deep) const {
  auto* clone = new TXpDTDConditional();
  dtCopyInto(clone, deep);
  clone->FKind = FKind;
  return clone;
}
