#include "components/buttonedits/runtime/LibHelpers.h"

#include <algorithm>
#include <cstdarg>

#include "classlib/Exception.h"
#include "classlib/Format.h"

void Error(const AnsiString& message) { throw Exception(message); }

void ErrorFmt(const char* format, ...) {
  va_list args;
  va_start(args, format);
  AnsiString text = FormatV(format, args);
  va_end(args);
  throw Exception(text);
}

void ClearList(TFastList& list) {
  // Take the items first: a destructor may look at the list.
  std::vector<void*> items;
  items.swap(list.List());
  for (void* p : items) delete static_cast<TObject*>(p);
}

void ClearSortedList(TSortedList& list) {
  std::vector<void*> items;
  for (int32_t i = 0; i < list.Count(); ++i) items.push_back(list.Items(i));
  list.Clear();
  for (void* p : items) delete static_cast<TObject*>(p);
}

void FreeList(std::unique_ptr<TFastList>& list) {
  if (list) ClearList(*list);
  list.reset();
}

void FreeSortedList(std::unique_ptr<TSortedList>& list) {
  if (list) ClearSortedList(*list);
  list.reset();
}

void CopyList(const TFastList& source, TFastList& dest) {
  if (&source == &dest) return;
  dest.List() = source.List();
}

int32_t ListIndexOf(const TFastList& list, const void* item) { return list.IndexOf(item); }

void RemoveFromStrings(TStrings& strings, const AnsiString& s) {
  const int32_t i = strings.IndexOf(s);
  if (i >= 0) strings.Delete(i);
}

namespace {

TObject* CountToObject(intptr_t n) { return reinterpret_cast<TObject*>(n); }
intptr_t ObjectToCount(const TObject* o) { return reinterpret_cast<intptr_t>(o); }

}  // namespace

void AddToCountedStrings(TStrings& strings, const AnsiString& s) {
  const int32_t i = strings.IndexOf(s);
  if (i >= 0)
    strings.PutObject(i, CountToObject(ObjectToCount(strings.Objects(i)) + 1));
  else
    strings.AddObject(s, CountToObject(1));
}

void RemoveFromCountedStrings(TStrings& strings, const AnsiString& s) {
  const int32_t i = strings.IndexOf(s);
  if (i < 0) return;
  const intptr_t n = ObjectToCount(strings.Objects(i));
  if (n <= 1)
    strings.Delete(i);
  else
    strings.PutObject(i, CountToObject(n - 1));
}

int32_t CountOfCountedString(const TStrings& strings, const AnsiString& s) {
  const int32_t i = strings.IndexOf(s);
  return i < 0 ? 0 : static_cast<int32_t>(ObjectToCount(strings.Objects(i)));
}

bool StrToBool(const AnsiString& s) { return AnsiCompareText(s, "True") == 0; }
AnsiString BoolToStr(bool b) { return b ? "True" : "False"; }

AnsiString TrimText(const AnsiString& s) {
  size_t b = 0;
  size_t e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

void ParseString(const AnsiString& s, char delimiter, TStrings& strings) {
  strings.Clear();
  size_t start = 0;
  for (;;) {
    const size_t at = s.find(delimiter, start);
    strings.Add(s.substr(start, at == AnsiString::npos ? AnsiString::npos : at - start));
    if (at == AnsiString::npos) break;
    start = at + 1;
  }
  // Like assigning text: a trailing empty piece makes no entry.
  if (strings.Count() > 0 && strings.Strings(strings.Count() - 1).empty()) strings.Delete(strings.Count() - 1);
}

void ParseAndCompactString(const AnsiString& s, char delimiter, TStrings& strings) {
  ParseString(s, delimiter, strings);
  for (int32_t i = strings.Count() - 1; i >= 0; --i) {
    const AnsiString t = TrimText(strings.Strings(i));
    if (t.empty())
      strings.Delete(i);
    else
      strings.PutString(i, t);
  }
}

AnsiString ChangeCharTo(char from, char to, const AnsiString& s) {
  AnsiString r(s);
  for (char& c : r)
    if (c == from) c = to;
  return r;
}

int32_t PosEx(const AnsiString& sub, const AnsiString& s, int32_t start) {
  if (sub.empty() || s.empty() || start < 1 || static_cast<size_t>(start) > s.size()) return 0;
  const size_t at = s.find(sub, static_cast<size_t>(start - 1));
  return at == AnsiString::npos ? 0 : static_cast<int32_t>(at + 1);
}

int32_t BackPosEx(const AnsiString& sub, const AnsiString& s, int32_t start) {
  if (sub.empty() || s.empty() || start < 1 || sub.size() > s.size()) return 0;
  const size_t from = std::min(static_cast<size_t>(start - 1), s.size() - sub.size());
  const size_t at = s.rfind(sub, from);
  return at == AnsiString::npos ? 0 : static_cast<int32_t>(at + 1);
}

void DCQuickSort(int32_t low, int32_t high, const std::function<int(int32_t, int32_t)>& compare,
                 const std::function<void(int32_t, int32_t)>& exchange) {
  while (low < high) {
    int32_t i = low;
    int32_t j = high;
    int32_t pivot = low + (high - low) / 2;
    while (i <= j) {
      while (compare(i, pivot) < 0) ++i;
      while (compare(j, pivot) > 0) --j;
      if (i <= j) {
        if (i != j) {
          exchange(i, j);
          // The pivot moves with the exchange.
          if (pivot == i)
            pivot = j;
          else if (pivot == j)
            pivot = i;
        }
        ++i;
        --j;
      }
    }
    // Recurse into the smaller part, loop over the larger.
    if (j - low < high - i) {
      DCQuickSort(low, j, compare, exchange);
      low = i;
    } else {
      DCQuickSort(i, high, compare, exchange);
      high = j;
    }
  }
}
