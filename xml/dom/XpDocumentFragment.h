// A document fragment: appending it to a node appends clones of its
// children; the fragment keeps its own.
#pragma once

#include "xml/dom/XpNode.h"

class TXpDocumentFragment : public TXpNode {
public:
  TXpDocumentFragment();
  TXpNode* CloneNode(bool deep) const override;
};
