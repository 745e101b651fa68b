#include "xml/dom/XpDocumentFragment.h"

TXpDocumentFragment::TXpDocumentFragment() { SetNodeType(DOCUMENT_FRAGMENT_NODE); }

TXpNode* TXpDocumentFragment::CloneNode(bool deep) const {
  auto* clone = new TXpDocumentFragment();
  noCopyInto(clone, deep);
  return clone;
}
