#pragma once
// String lists: TStrings is the abstract list of strings with an object
// pointer per entry; TStringList keeps them in memory, optionally sorted.
#include "classlib/AnsiString.h"
#include "classlib/Persistent.h"

#include <cstdint>
#include <vector>

class TStrings : public TPersistent {
 public:
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  // Streams the entries as the list "Strings".
  void DefineProperties(TFiler& filer) override;
  virtual int32_t Count() const = 0;
  // Index outside 0..Count()-1 raises EListError.
  virtual AnsiString Strings(int32_t index) const = 0;
  virtual void PutString(int32_t index, const AnsiString& s) = 0;
  virtual TObject* Objects(int32_t index) const = 0;
  virtual void PutObject(int32_t index, TObject* object) = 0;
  virtual void InsertObject(int32_t index, const AnsiString& s, TObject* object) = 0;
  virtual void Delete(int32_t index) = 0;
  virtual void Clear() = 0;
  // Index of the new entry.
  virtual int32_t AddObject(const AnsiString& s, TObject* object);
  virtual int32_t IndexOf(const AnsiString& s) const;

  int32_t Add(const AnsiString& s) { return AddObject(s, nullptr); }
  void Insert(int32_t index, const AnsiString& s) { InsertObject(index, s, nullptr); }
  int32_t IndexOfObject(const TObject* object) const;
  // Appends every entry of `strings`.
  void AddStrings(const TStrings& strings);

  // Entries joined with CR LF, each followed by it.
  AnsiString Text() const;
  // Replaces the entries by the lines of `text` (CR LF, LF or CR end a line).
  void SetText(const AnsiString& text);

  void Assign(const TPersistent& source) override;

 protected:
  // Compares two entries: without case unless a subclass says otherwise.
  virtual int CompareStrings(const AnsiString& a, const AnsiString& b) const;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
 public:
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  int32_t Count() const override { return static_cast<int32_t>(FItems.size()); }
  AnsiString Strings(int32_t index) const override;
  void PutString(int32_t index, const AnsiString& s) override;
  TObject* Objects(int32_t index) const override;
  void PutObject(int32_t index, TObject* object) override;
  // On a sorted list raises EListError.
  void InsertObject(int32_t index, const AnsiString& s, TObject* object) override;
  void Delete(int32_t index) override;
  void Clear() override;
  // On a sorted list the entry goes to its place; a duplicate is then
  // ignored (returns the existing index), accepted or refused (EListError).
  int32_t AddObject(const AnsiString& s, TObject* object) override;
  int32_t IndexOf(const AnsiString& s) const override;

  // Binary search of a sorted list: true when found; `index` is the entry's
  // index or the place where it would be inserted.
  bool Find(const AnsiString& s, int32_t& index) const;
  void Sort();

  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates value) { FDuplicates = value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value);

 protected:
  int CompareStrings(const AnsiString& a, const AnsiString& b) const override;

 private:
  struct Item {
    AnsiString S;
    TObject* Object;
  };
  void CheckIndex(int32_t index) const;

  std::vector<Item> FItems;
  bool FSorted = false;
  bool FCaseSensitive = false;
  TDuplicates FDuplicates = dupIgnore;
};
