#include "classlib/StringList.h"

#include "classlib/Filer.h"
#include "classlib/TypInfo.h"

#include <algorithm>

#include "classlib/Exception.h"
#include "classlib/Format.h"

int32_t TStrings::AddObject(const AnsiString& s, TObject* object) {
  const int32_t index = Count();
  InsertObject(index, s, object);
  return index;
}

int32_t TStrings::IndexOf(const AnsiString& s) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (CompareStrings(Strings(i), s) == 0) return i;
  return -1;
}

int32_t TStrings::IndexOfObject(const TObject* object) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (Objects(i) == object) return i;
  return -1;
}

void TStrings::AddStrings(const TStrings& strings) {
  // Copy first: `strings` may be this list.
  std::vector<std::pair<AnsiString, TObject*>> items;
  for (int32_t i = 0; i < strings.Count(); ++i) items.emplace_back(strings.Strings(i), strings.Objects(i));
  for (auto& [s, o] : items) AddObject(s, o);
}

AnsiString TStrings::Text() const {
  AnsiString r;
  for (int32_t i = 0; i < Count(); ++i) {
    r += Strings(i);
    r += "\r\n";
  }
  return r;
}

void TStrings::SetText(const AnsiString& text) {
  Clear();
  size_t start = 0;
  const size_t n = text.size();
  while (start < n) {
    size_t end = start;
    while (end < n && text[end] != '\r' && text[end] != '\n') ++end;
    Add(text.substr(start, end - start));
    if (end < n && text[end] == '\r') ++end;
    if (end < n && text[end] == '\n') ++end;
    start = end;
  }
}

void TStrings::Assign(const TPersistent& source) {
  if (auto* other = dynamic_cast<const TStrings*>(&source)) {
    if (other == this) return;
    Clear();
    AddStrings(*other);
    return;
  }
  TPersistent::Assign(source);
}

int TStrings::CompareStrings(const AnsiString& a, const AnsiString& b) const {
  return AnsiCompareText(a, b);
}

void TStringList::CheckIndex(int32_t index) const {
  if (index < 0 || index >= Count())
    throw EListError(Format("Listenindex überschreitet das Maximum (%d)", static_cast<int>(index)));
}

AnsiString TStringList::Strings(int32_t index) const {
  CheckIndex(index);
  return FItems[static_cast<size_t>(index)].S;
}

void TStringList::PutString(int32_t index, const AnsiString& s) {
  if (FSorted) throw EListError("Operation in sortierten Listen nicht erlaubt");
  CheckIndex(index);
  FItems[static_cast<size_t>(index)].S = s;
}

TObject* TStringList::Objects(int32_t index) const {
  CheckIndex(index);
  return FItems[static_cast<size_t>(index)].Object;
}

void TStringList::PutObject(int32_t index, TObject* object) {
  CheckIndex(index);
  FItems[static_cast<size_t>(index)].Object = object;
}

void TStringList::InsertObject(int32_t index, const AnsiString& s, TObject* object) {
  if (FSorted) throw EListError("Operation in sortierten Listen nicht erlaubt");
  if (index < 0 || index > Count())
    throw EListError(Format("Listenindex überschreitet das Maximum (%d)", static_cast<int>(index)));
  FItems.insert(FItems.begin() + index, Item{s, object});
}

void TStringList::Delete(int32_t index) {
  CheckIndex(index);
  FItems.erase(FItems.begin() + index);
}

void TStringList::Clear() { FItems.clear(); }

int32_t TStringList::AddObject(const AnsiString& s, TObject* object) {
  if (!FSorted) {
    FItems.push_back(Item{s, object});
    return Count() - 1;
  }
  int32_t index;
  if (Find(s, index)) {
    if (FDuplicates == dupIgnore) return index;
    if (FDuplicates == dupError) throw EListError("Stringliste erlaubt keine Duplikate");
  }
  FItems.insert(FItems.begin() + index, Item{s, object});
  return index;
}

int32_t TStringList::IndexOf(const AnsiString& s) const {
  if (!FSorted) return TStrings::IndexOf(s);
  int32_t index;
  return Find(s, index) ? index : -1;
}

bool TStringList::Find(const AnsiString& s, int32_t& index) const {
  int32_t lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    const int32_t mid = lo + (hi - lo) / 2;
    const int c = CompareStrings(FItems[static_cast<size_t>(mid)].S, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        // With duplicates accepted the first equal entry is the answer.
        if (FDuplicates != dupAccept) lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

void TStringList::Sort() {
  std::stable_sort(FItems.begin(), FItems.end(),
                   [this](const Item& a, const Item& b) { return CompareStrings(a.S, b.S) < 0; });
}

void TStringList::SetSorted(bool value) {
  if (value && !FSorted) Sort();
  FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
  FCaseSensitive = value;
  if (FSorted) Sort();
}

int TStringList::CompareStrings(const AnsiString& a, const AnsiString& b) const {
  if (FCaseSensitive) return a.compare(b);
  return TStrings::CompareStrings(a, b);
}

const TClassInfo TStrings::Info{"TStrings", "Classes", &TPersistent::Info, {}};
const TClassInfo TStringList::Info{"TStringList", "Classes", &TStrings::Info, {}};

void TStrings::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Strings",
      [this](TReader& reader) {
        reader.ReadListBegin();
        Clear();
        while (!reader.EndOfList()) Add(reader.ReadString());
        reader.ReadListEnd();
      },
      [this](TWriter& writer) {
        writer.WriteListBegin();
        for (int32_t i = 0; i < Count(); ++i) writer.WriteString(Strings(i));
        writer.WriteListEnd();
      },
      Count() > 0);
}
