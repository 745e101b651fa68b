// Small helpers of the document tree and its writer.
#pragma once

#include <cstdint>
#include <string>

class TXpNode;
class TXpNodeList;

// The node after node in document order within the subtree of root (root
// itself is never returned), or null at the end of the subtree. Walking a
// subtree this way needs no stack.
TXpNode* XpNextInSubtree(const TXpNode* node, const TXpNode* root);
// As XpNextInSubtree, but skipping the descendants of node.
TXpNode* XpNextSkippingChildren(const TXpNode* node, const TXpNode* root);

// Decimal text of value.
std::u16string XpIntToWide(int64_t value);

// Adds to list, in document order, every element below node whose name
// matches: the qualified name when uri is null, else namespace and local
// name; "*" matches any.
void XpCollectElements(TXpNodeList* list, TXpNode* node, const std::u16string& name,
                       const std::u16string* uri);
