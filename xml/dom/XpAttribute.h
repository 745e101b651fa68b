// An attribute node: its value is the node's value; its parent is the
// element that holds it in its attribute map.
#pragma once

#include "xml/dom/XpNode.h"

class TXpElement;

class TXpAttribute : public TXpNode {
public:
  TXpAttribute();
  TXpAttribute(const std::u16string& name, const std::u16string& value);

  bool Specified() const { return FSpecified; }
  void SetSpecified(bool value) { FSpecified = value; }
  TXpElement* atGetOwnerElement() const;

  std::u16string noGetStringValue() const override { return NodeValue(); }
  TXpNode* CloneNode(bool deep) const override;

private:
  bool FSpecified = true;
};
