#pragma once
// A list of integers that reads and writes range texts: numbers and ranges
// "first-last" separated by "," or ";" ("1-3,5;7" holds 1, 2, 3, 5, 7).
#include <cstdint>
#include <vector>

#include "classlib/AnsiString.h"

class TRangeList {
 public:
  // The most entries a list holds; a text that would take it further is
  // refused before anything is added.
  static constexpr int32_t MaxEntries = 100000;

  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  // Raises EListError for an index outside the list.
  int32_t Items(int32_t index) const;
  void SetItems(int32_t index, int32_t value);
  void Add(int32_t value);
  // Adds start .. start + count - 1 (nothing for count <= 0).
  void AddMultiple(int32_t start, int32_t count);
  void Delete(int32_t index);
  void Clear() { FItems.clear(); }
  bool InList(int32_t value) const;
  // Appends the numbers of a range text (nothing is cleared); false, with
  // the list unchanged, when a part is not a number or a range or the list
  // would hold more than MaxEntries.
  bool StrToList(const AnsiString& text);
#ifdef _WIN32
  // Shows the numbers in a message box.
  void Show() const;
#endif

 private:
  std::vector<int32_t> FItems;
};

// The list as a range text: runs of consecutive numbers as "first-last",
// the parts separated by ",".
AnsiString ListToRangeStr(const TRangeList& list);
