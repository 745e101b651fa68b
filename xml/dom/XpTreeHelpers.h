// Small helpers of the document tree and its writer.
#pragma once

#include <cstdint>
#include <string>

class TXpNode;
class TXpNodeList;

// Decimal text of value.
std::u16string XpIntToWide(int64_t value);

// Adds to list, in document order, every element below node whose name
// matches: the qualified name when uri is null, else namespace and local
// name; "*" matches any.
void XpCollectElements(TXpNodeList* list, TXpNode* node, const std::u16string& name,
                       const std::u16string* uri);
