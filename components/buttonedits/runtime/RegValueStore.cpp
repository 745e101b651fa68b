#include "components/buttonedits/runtime/RegValueStore.h"

namespace {

TRegValueStore* gStore = nullptr;

AnsiString Fold(const AnsiString& s) { return AnsiUpperCase(s); }

}  // namespace

bool TMemoryRegStore::KeyExists(const AnsiString& key) { return FKeys.count(Fold(key)) != 0; }

bool TMemoryRegStore::WriteValue(const AnsiString& key, const AnsiString& name, TRegDataKind kind,
                                 const std::vector<uint8_t>& data) {
  ++Writes;
  // Parent keys come into being with the key, as in the registry.
  AnsiString k = Fold(key);
  FKeys[k][Fold(name)] = Value{kind, data};
  for (auto at = k.find_last_of('\\'); at != AnsiString::npos; at = k.find_last_of('\\')) {
    k.erase(at);
    FKeys[k];
  }
  return true;
}

bool TMemoryRegStore::ReadValue(const AnsiString& key, const AnsiString& name, TRegDataKind& kind,
                                std::vector<uint8_t>& data) {
  auto k = FKeys.find(Fold(key));
  if (k == FKeys.end()) return false;
  auto v = k->second.find(Fold(name));
  if (v == k->second.end()) return false;
  kind = v->second.Kind;
  data = v->second.Data;
  return true;
}

bool TMemoryRegStore::DeleteKey(const AnsiString& key) {
  const AnsiString k = Fold(key);
  for (auto it = FKeys.begin(); it != FKeys.end();) {
    if (it->first == k || it->first.rfind(k + "\\", 0) == 0)
      it = FKeys.erase(it);
    else
      ++it;
  }
  return true;
}

TRegValueStore& DefaultRegStore();

TRegValueStore& RegStore() { return gStore ? *gStore : DefaultRegStore(); }
void SetRegStore(TRegValueStore* store) { gStore = store; }

#ifndef _WIN32
TRegValueStore& DefaultRegStore() {
  static TMemoryRegStore store;
  return store;
}

TRegValueStore& ClassesRootStore() {
  static TMemoryRegStore store;
  return store;
}
#endif
