// Small text helpers of the document tree and its writer.
#pragma once

#include <cstdint>
#include <string>

// Decimal text of value.
std::u16string XpIntToWide(int64_t value);
// XML whitespace: TAB, LF, CR, blank.
inline bool XpIsWhiteSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }
