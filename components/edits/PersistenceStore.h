#pragma once
// Named strings kept between runs in one section of an ini file or under
// HKEY_CURRENT_USER\<key>\<section> in the registry.
#include "classlib/AnsiString.h"

class TPersistenceStore {
 public:
  // `registry`: under the registry key `key`; otherwise in the ini file
  // `file`.
  TPersistenceStore(bool registry, const AnsiString& key, const AnsiString& file,
                    const AnsiString& section)
      : FRegistry(registry), FKey(key), FFile(file), FSection(section) {}

  // The stored string, or `def` when there is none.
  AnsiString Read(const AnsiString& name, const AnsiString& def) const;
  void Write(const AnsiString& name, const AnsiString& value) const;

 private:
  bool FRegistry;
  AnsiString FKey, FFile, FSection;
};
