#include "xml/dom/XpEntityReference.h"

TXpEntityReference::TXpEntityReference() { SetNodeType(ENTITY_REFERENCE_NODE); }

TXpEntityReference::TXpEntityReference(const std::u16string& name) : TXpEntityReference() {
  SetNodeName(name);
}

TXpNode* TXpEntityReference::CloneNode(bool deep) const {
  auto* clone = new TXpEntityReference();
  noCopyInto(clone, deep);
  return clone;
}
