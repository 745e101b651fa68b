#include "components/edits/RangeList.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "classlib/Exception.h"

namespace {

// A decimal integer with an optional sign and blanks around it.
bool parseNumber(const AnsiString& part, int32_t& out) {
  size_t b = part.find_first_not_of(' ');
  size_t e = part.find_last_not_of(' ');
  if (b == AnsiString::npos) return false;
  AnsiString s = part.substr(b, e - b + 1);
  size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
  if (i == s.size()) return false;
  for (size_t k = i; k < s.size(); ++k)
    if (s[k] < '0' || s[k] > '9') return false;
  errno = 0;
  long long v = std::strtoll(s.c_str(), nullptr, 10);
  if (errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return false;
  out = static_cast<int32_t>(v);
  return true;
}

// One part: a number, or two numbers joined by "-" (the first "-" after the
// first character, so that a negative start still reads).
bool parsePart(const AnsiString& part, int64_t& first, int64_t& last) {
  int32_t a = 0, b = 0;
  if (parseNumber(part, a)) {
    first = last = a;
    return true;
  }
  size_t b0 = part.find_first_not_of(' ');
  if (b0 == AnsiString::npos) return false;
  size_t dash = part.find('-', b0 + 1);
  if (dash == AnsiString::npos) return false;
  if (!parseNumber(part.substr(0, dash), a) || !parseNumber(part.substr(dash + 1), b))
    return false;
  first = a;
  last = b;
  return true;
}

}  // namespace

int32_t TRangeList::Items(int32_t index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds");
  return FItems[static_cast<size_t>(index)];
}

void TRangeList::SetItems(int32_t index, int32_t value) {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds");
  FItems[static_cast<size_t>(index)] = value;
}

void TRangeList::Add(int32_t value) { FItems.push_back(value); }

void TRangeList::AddMultiple(int32_t start, int32_t count) {
  for (int64_t v = start; v < static_cast<int64_t>(start) + count; ++v)
    FItems.push_back(static_cast<int32_t>(v));
}

void TRangeList::Delete(int32_t index) {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds");
  FItems.erase(FItems.begin() + index);
}

bool TRangeList::InList(int32_t value) const {
  return std::find(FItems.begin(), FItems.end(), value) != FItems.end();
}

bool TRangeList::StrToList(const AnsiString& text) {
  // Everything is read and counted first, so that a bad part or a range
  // too large for the list leaves it as it was.
  std::vector<std::pair<int64_t, int64_t>> ranges;
  int64_t total = Count();
  size_t pos = 0;
  while (pos < text.size()) {
    size_t sep = text.find_first_of(",;", pos);
    AnsiString part = text.substr(pos, sep == AnsiString::npos ? AnsiString::npos : sep - pos);
    int64_t first = 0, last = 0;
    if (!parsePart(part, first, last)) return false;
    if (last >= first) total += last - first + 1;
    if (total > MaxEntries) return false;
    ranges.emplace_back(first, last);
    if (sep == AnsiString::npos) break;
    pos = sep + 1;
  }
  for (auto [first, last] : ranges)
    for (int64_t v = first; v <= last; ++v) FItems.push_back(static_cast<int32_t>(v));
  return true;
}

AnsiString ListToRangeStr(const TRangeList& list) {
  AnsiString s;
  int32_t n = list.Count();
  for (int32_t i = 0; i < n;) {
    int32_t j = i;
    while (j + 1 < n && static_cast<int64_t>(list.Items(j + 1)) == list.Items(j) + int64_t{1}) ++j;
    if (!s.empty()) s += ',';
    s += std::to_string(list.Items(i));
    if (j > i) s += '-' + std::to_string(list.Items(j));
    i = j + 1;
  }
  return s;
}
