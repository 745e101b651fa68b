// Small text helpers of the document tree and its writer.
#pragma once

#include <cstdint>
#include <string>

// Decimal text of value.
std::u16string XpIntToWide(int64_t value);
