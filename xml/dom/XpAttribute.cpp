#include "xml/dom/XpAttribute.h"

#include "xml/dom/XpElement.h"

TXpAttribute::TXpAttribute() { SetNodeType(ATTRIBUTE_NODE); }

TXpAttribute::TXpAttribute(const std::u16string& name, const std::u16string& value)
    : TXpAttribute() {
  SetNodeName(name);
  SetNodeValue(value);
}

TXpElement* TXpAttribute::atGetOwnerElement() const {
  TXpNode* parent = ParentNode();
  return parent && parent->NodeType() == ELEMENT_NODE ? static_cast<TXpElement*>(parent) : nullptr;
}

TXpNode* TXpAttribute::CloneNode(bool deep) const {
  auto* clone = new TXpAttribute();
  noCopyInto(clone, deep);
  clone->FSpecified = FSpecified;
  return clone;
}
