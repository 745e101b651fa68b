// A processing instruction: its target in the node's name, its data in the
// node's value.
#pragma once

#include "xml/dom/XpNode.h"

class TXpProcessingInstruction : public TXpNode {
public:
  TXpProcessingInstruction();
  TXpProcessingInstruction(const std::u16string& target, const std::u16string& data);

  std::u16string noGetStringValue() const override { return NodeValue(); }
  TXpNode* CloneNode(bool deep) const override;
};
