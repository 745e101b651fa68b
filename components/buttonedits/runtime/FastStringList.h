#pragma once
// A string list whose sort and search compare without regard to case, with
// the locale's letters (Windows-1252).
#include "classlib/StringList.h"

class TFastStringList : public TStringList {
 public:
  // Quick sort of all entries; strings and objects move together.
  void Sort();
  // Binary search; on a hit with duplicates accepted, `index` is the first
  // equal entry. On a miss `index` is the insertion place.
  bool Find(const AnsiString& s, int32_t& index) const;
};
