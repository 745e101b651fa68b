#include "xml/dom/XpNameTable.h"

#include "xml/dom/XpCharClasses.h"
#include "xml/dom/XpNodePool.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <mutex>
#include <unordered_set>
#include <vector>

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
  // Each name with whether it is a valid XML name (-1: not checked yet).
  // Nodes point at the names, so entries never move.
  using TEntry = std::pair<const std::u16string, int8_t>;
  std::deque<TEntry> entries;
  // The entries by hash, open addressing with linear probing: a lookup
  // mostly reads one slot and its entry, and growing reads no entry.
  struct TSlot {
    size_t hash;
    TEntry* entry;  // null: free
  };
  TXpTable<TSlot> slots;  // kept for the next document when large
  // The names used last, as in the program's table.
  TEntry* recent[128] = {};

  TEntry* Find(const std::u16string& name);

private:
  void Grow();
};

TXpNameSet::TEntry* TXpNameSet::Find(const std::u16string& name) {
  const size_t hash = std::hash<std::u16string>{}(name);
  // At most half the slots in use, so probes stay short.
  if ((entries.size() + 1) * 2 > slots.size()) Grow();
  const size_t mask = slots.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    TSlot& slot = slots[i];
    if (!slot.entry) {
      entries.emplace_back(name, int8_t{-1});
      slot = {hash, &entries.back()};
      return slot.entry;
    }
    if (slot.hash == hash && slot.entry->first == name) return slot.entry;
  }
}

void TXpNameSet::Grow() {
  TXpTable<TSlot> old(std::max<size_t>(64, slots.size() * 2));
  old.swap(slots);
  const size_t mask = slots.size() - 1;
  for (const TSlot& slot : old) {
    if (!slot.entry) continue;
    size_t i = slot.hash & mask;
    while (slots[i].entry) i = (i + 1) & mask;
    slots[i] = slot;
  }
}

void XpFreeNameSet(TXpNameSet* names) { delete names; }

namespace {

// Names compared as bytes: the string's own comparison goes character by
// character.
bool SameName(const std::u16string& a, const std::u16string& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0;
}

// The entry of a non-empty name in the names of arena.
TXpNameSet::TEntry* ArenaEntry(TXpNameSet*& slot, const std::u16string& name) {
  if (!slot) slot = new TXpNameSet();
  TXpNameSet& set = *slot;
  const size_t n = name.size();
  const size_t key = n * 31 + name[0] * 7 + name[n / 2] * 3 + name[n - 1];
  TXpNameSet::TEntry*& recent = set.recent[key % 128];
  if (recent && SameName(recent->first, name)) return recent;
  recent = set.Find(name);
  return recent;
}

}  // namespace

const std::u16string* XpShareName(const std::u16string& name, bool& owned, TXpNodeArena* arena) {
  TXpNameSet** slot = arena ? XpArenaNames(arena) : nullptr;
  if (!slot) return XpShareName(name, owned);
  owned = false;
  if (name.empty()) return XpEmptyName();
  return &ArenaEntry(*slot, name)->first;
}

const std::u16string* XpShareValidName(const std::u16string& name, bool& owned,
                                       TXpNodeArena* arena) {
  owned = false;
  if (name.empty()) return nullptr;
  TXpNameSet** slot = arena ? XpArenaNames(arena) : nullptr;
  if (!slot) return XpValidName(name) ? XpShareName(name, owned) : nullptr;
  TXpNameSet::TEntry* entry = ArenaEntry(*slot, name);
  if (entry->second < 0) entry->second = XpValidName(name) ? 1 : 0;
  return entry->second ? &entry->first : nullptr;
}
