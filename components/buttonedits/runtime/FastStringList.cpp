#include "components/buttonedits/runtime/FastStringList.h"

#include <algorithm>
#include <utility>
#include <vector>

void TFastStringList::Sort() {
  std::vector<std::pair<AnsiString, TObject*>> items;
  items.reserve(static_cast<size_t>(Count()));
  for (int32_t i = 0; i < Count(); ++i) items.emplace_back(Strings(i), Objects(i));
  std::sort(items.begin(), items.end(),
            [](const auto& a, const auto& b) { return AnsiCompareText(a.first, b.first) < 0; });
  for (int32_t i = 0; i < Count(); ++i) {
    PutString(i, items[static_cast<size_t>(i)].first);
    PutObject(i, items[static_cast<size_t>(i)].second);
  }
}

bool TFastStringList::Find(const AnsiString& s, int32_t& index) const {
  int32_t low = 0;
  int32_t high = Count() - 1;
  bool found = false;
  while (low <= high) {
    const int32_t middle = low + (high - low) / 2;
    const int c = AnsiCompareText(Strings(middle), s);
    if (c < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
      if (c == 0) {
        found = true;
        if (Duplicates() != dupAccept) {
          low = middle;
          break;
        }
      }
    }
  }
  index = low;
  return found;
}
