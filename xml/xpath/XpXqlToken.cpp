#include "xml/xpath/XpXqlToken.h"

TXpXqlToken::TXpXqlToken(int32_t token) : FToken(token) {
  SetNodeType(XQL_TOKEN_NODE);
  SetOutputEscaping(false);
}

TXpXqlToken::TXpXqlToken(int32_t token, const std::u16string& text) : TXpXqlToken(token) {
  SetNodeValue(text);
}

TXpNode* TXpXqlToken::CloneNode(bool deep) const {
  auto* clone = new TXpXqlToken(FToken);
  noCopyInto(clone, deep);
  return clone;
}
