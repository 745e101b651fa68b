// A reference to an entity, by name.
#pragma once

#include "xml/dom/XpNode.h"

class TXpEntityReference : public TXpNode {
public:
  TXpEntityReference();
  explicit TXpEntityReference(const std::u16string& name);
  TXpNode* CloneNode(bool deep) const override;
};
