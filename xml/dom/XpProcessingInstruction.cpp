#include "xml/dom/XpProcessingInstruction.h"

TXpProcessingInstruction::TXpProcessingInstruction() { SetNodeType(PROCESSING_INSTRUCTION_NODE); }

TXpProcessingInstruction::TXpProcessingInstruction(const std::u16string& target,
                                                   const std::u16string& data)
    : TXpProcessingInstruction() {
  SetNodeName(target);
  SetNodeValue(data);
}

TXpNode* TXpProcessingInstruction::CloneNode(bool deep) const {
  auto* clone = new TXpProcessingInstruction();
  noCopyInto(clone, deep);
  return clone;
}
