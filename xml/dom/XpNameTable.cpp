#include "xml/dom/XpNameTable.h"

#include "xml/dom/XpNodePool.h"

#include <mutex>
#include <unordered_set>

namespace {

constexpr size_t kMaxSharedLength = 128;
constexpr size_t kMaxShared = 1 << 16;

struct NameTable {
  std::mutex lock;
  std::unordered_set<std::u16string> names;
};

NameTable& Table() {
  // Never destroyed: nodes released during program exit still point here.
  static NameTable* table = new NameTable();
  return *table;
}

// The names this thread used last, by hash: most lookups need no lock.
constexpr size_t kCacheSize = 256;
thread_local const std::u16string* tRecent[kCacheSize];

}  // namespace

const std::u16string* XpEmptyName() {
  static const std::u16string* empty = new std::u16string();
  return empty;
}

const std::u16string* XpShareName(const std::u16string& name, bool& owned) {
  owned = false;
  if (name.empty()) return XpEmptyName();
  if (name.size() > kMaxSharedLength) {
    owned = true;
    return new std::u16string(name);
  }
  // The cache is keyed by the length and three characters: cheap to work
  // out, and a clash only costs the comparison and the table's lookup.
  const size_t n = name.size();
  const size_t key = n * 31 + name[0] * 7 + name[n / 2] * 3 + name[n - 1];
  const std::u16string*& recent = tRecent[key % kCacheSize];
  if (recent && *recent == name) return recent;
  NameTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  auto it = table.names.find(name);
  if (it == table.names.end()) {
    if (table.names.size() >= kMaxShared) {
      owned = true;
      return new std::u16string(name);
    }
    it = table.names.insert(name).first;
  }
  recent = &*it;
  return recent;
}

struct TXpNameSet {
  std::unordered_set<std::u16string> names;
  // The names used last, as in the program's table.
  const std::u16string* recent[64] = {};
};

void XpFreeNameSet(TXpNameSet* names) { delete names; }

const std::u16string* XpShareName(const std::u16string& name, bool& owned, TXpNodeArena* arena) {
  TXpNameSet** slot = arena ? XpArenaNames(arena) : nullptr;
  if (!slot) return XpShareName(name, owned);
  owned = false;
  if (name.empty()) return XpEmptyName();
  if (!*slot) *slot = new TXpNameSet();
  TXpNameSet& set = **slot;
  const size_t n = name.size();
  const size_t key = n * 31 + name[0] * 7 + name[n / 2] * 3 + name[n - 1];
  const std::u16string*& recent = set.recent[key % 64];
  if (recent && *recent == name) return recent;
  recent = &*set.names.insert(name).first;
  return recent;
}
