#include "xml/dom/XpTreeHelpers.h"

#include "xml/dom/XpNode.h"
#include "xml/dom/XpNodeList.h"

TXpNode* XpNextSkippingChildren(const TXpNode* node, const TXpNode* root) {
  for (const TXpNode* n = node; n && n != root; n = n->ParentNode())
    if (TXpNode* next = n->noGetNextSibling()) return next;
  return nullptr;
}

TXpNode* XpNextInSubtree(const TXpNode* node, const TXpNode* root) {
  if (TXpNode* child = node->noGetFirstChild()) return child;
  return XpNextSkippingChildren(node, root);
}

std::u16string XpIntToWide(int64_t value) {
  char16_t buf[24];
  int n = 0;
  uint64_t v = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  do {
    buf[n++] = static_cast<char16_t>(u'0' + v % 10);
    v /= 10;
  } while (v);
  std::u16string out;
  if (value < 0) out += u'-';
  while (n) out += buf[--n];
  return out;
}


void XpCollectElements(TXpNodeList* list, TXpNode* node, const std::u16string& name,
                       const std::u16string* uri) {
  // Only elements are searched below: other nodes' children are skipped.
  TXpNode* child = XpNextInSubtree(node, node);
  for (; child; child = child->NodeType() == ELEMENT_NODE ? XpNextInSubtree(child, node)
                                                          : XpNextSkippingChildren(child, node)) {
    if (child->NodeType() != ELEMENT_NODE) continue;
    bool match;
    if (uri)
      match = (*uri == u"*" || child->noGetNamespace() == *uri) &&
              (name == u"*" || child->noGetLocalName() == name);
    else
      match = name == u"*" || child->noNameEquals(name);
    if (match) list->Add(child);
  }
}
