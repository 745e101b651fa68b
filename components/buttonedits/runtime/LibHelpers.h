#pragma once
// General helpers of the runtime: raising errors, freeing lists, counted
// strings, small integer and boolean helpers, splitting and searching texts.
#include "classlib/AnsiString.h"
#include "classlib/StringList.h"
#include "components/buttonedits/runtime/KeyedSortedLists.h"
#include "components/buttonedits/runtime/SortedList.h"

#include <cstdint>
#include <functional>
#include <memory>

// Raise an Exception with the text (formatted printf-style).
[[noreturn]] void Error(const AnsiString& message);
[[noreturn]] void ErrorFmt(const char* format, ...);

// Frees every item of the list (as TObject), from the front, and empties it.
void ClearList(TFastList& list);
void ClearSortedList(TSortedList& list);
// The same, then frees the list and sets the variable to null.
void FreeList(std::unique_ptr<TFastList>& list);
void FreeSortedList(std::unique_ptr<TSortedList>& list);
// Makes `dest` an item-by-item copy of `source`.
void CopyList(const TFastList& source, TFastList& dest);
int32_t ListIndexOf(const TFastList& list, const void* item);

void RemoveFromStrings(TStrings& strings, const AnsiString& s);
// The object slot of each entry holds its use count.
void AddToCountedStrings(TStrings& strings, const AnsiString& s);
void RemoveFromCountedStrings(TStrings& strings, const AnsiString& s);
int32_t CountOfCountedString(const TStrings& strings, const AnsiString& s);

inline int32_t Min(int32_t a, int32_t b) { return a < b ? a : b; }
inline int32_t Max(int32_t a, int32_t b) { return a > b ? a : b; }
inline void SwapInt(int32_t& a, int32_t& b) {
  const int32_t t = a;
  a = b;
  b = t;
}
// Orders the pair so that a <= b.
inline void SwapMaxInt(int32_t& a, int32_t& b) {
  if (a > b) SwapInt(a, b);
}
// "True" (any case) is true, anything else false.
bool StrToBool(const AnsiString& s);
AnsiString BoolToStr(bool b);

// One entry per piece of `s` cut at each delimiter.
void ParseString(const AnsiString& s, char delimiter, TStrings& strings);
// The same with each piece trimmed and the empty ones left out.
void ParseAndCompactString(const AnsiString& s, char delimiter, TStrings& strings);
AnsiString ChangeCharTo(char from, char to, const AnsiString& s);
// 1-based position of `sub` in `s` searching forward from `start`, or
// backward from `start` (the last possible start when past it); 0 when
// absent or when either text is empty.
int32_t PosEx(const AnsiString& sub, const AnsiString& s, int32_t start);
int32_t BackPosEx(const AnsiString& sub, const AnsiString& s, int32_t start);

// Quick sort of the index range low..high with the caller's comparison and
// exchange of two indices.
void DCQuickSort(int32_t low, int32_t high, const std::function<int(int32_t, int32_t)>& compare,
                 const std::function<void(int32_t, int32_t)>& exchange);

// Blanks and control characters off both ends.
AnsiString TrimText(const AnsiString& s);
