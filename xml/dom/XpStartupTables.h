#pragma once
// Name tables of the XPath tokenizer, filled once when first used and freed
// at the end of the program: the function names and the axis names (with
// their "::"), each mapped to its token code.
#include <cstdint>

#include "xml/dom/XpHash.h"

TXpStrHash& XpFunctionTable();
TXpStrHash& XpAxisTable();
// The token code stored for `name`, 0 when the table lacks it.
int32_t XpLookupToken(const TXpStrHash& table, const WideString& name);
