#include "xml/dom/XpNodePool.h"

#include "xml/dom/XpNameTable.h"

#include <cstdint>
#include <new>

#include <algorithm>
#include <mutex>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define XP_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define XP_ASAN 1
#endif
#endif

#ifdef XP_ASAN
#include <sanitizer/asan_interface.h>
// Free blocks and unused slab space are poisoned, so that a use after
// release is still found while the block waits for its next node.
#define XP_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define XP_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define XP_POISON(p, n) (static_cast<void>(p), static_cast<void>(n))
#define XP_UNPOISON(p, n) (static_cast<void>(p), static_cast<void>(n))
#endif

namespace {

constexpr size_t kGrain = 8;
constexpr size_t kClasses = 128;  // blocks up to 1016 bytes
static_assert((kClasses - 1) * kGrain == kXpPooledMax);
// Slabs are aligned to their size: a block finds its slab, and with it its
// arena, from its address alone.
constexpr size_t kSlab = 64 * 1024;
// Slabs are taken from the system this many at a time.
constexpr size_t kSlabsPerChunk = 32;
constexpr size_t kChunk = kSlab * kSlabsPerChunk;

struct FreeBlock {
  FreeBlock* next;
};

struct Slab;

}  // namespace

struct TXpNodeArena {
  TXpOwnerLink link;  // first: XpLinkUnused finds the arena from it
  FreeBlock* free[kClasses] = {};
  char* cursor = nullptr;
  char* end = nullptr;
  Slab* first = nullptr;  // the slabs in the order they were taken
  Slab* last = nullptr;
  Slab* current = nullptr;
  size_t live = 0;  // blocks in use
  bool threadPool = false;
  bool released = false;  // the document has gone
  TXpNameSet* names = nullptr;
};

namespace {

struct alignas(16) Slab {
  TXpNodeArena* owner;
  Slab* next;
};

char* SlabStart(Slab* slab) { return reinterpret_cast<char*>(slab) + sizeof(Slab); }
constexpr size_t kSlabPayload = kSlab - sizeof(Slab);

Slab* SlabOf(const void* p) {
  return reinterpret_cast<Slab*>(reinterpret_cast<uintptr_t>(p) & ~(uintptr_t{kSlab} - 1));
}

// The slabs no arena uses, shared by all threads and kept for the next
// document, so that it finds its memory already there instead of taking
// fresh pages from the system. Slabs come in chunks; a chunk goes back to
// the system only when all its slabs are here and the cache holds more
// than its limit, or when asked to.
struct SlabCache {
  std::mutex lock;
  Slab* free = nullptr;
  size_t freeCount = 0;
  size_t limit = size_t{1} << 30;
  struct Chunk {
    char* base;
    size_t freeSlabs;
  };
  std::vector<Chunk> chunks;  // by address
  // Freed table blocks by the power of two of their size.
  std::vector<void*> tables[64];
  size_t tableBytes = 0;

  size_t Bytes() const { return freeCount * kSlab + tableBytes; }

  void* TakeTable(unsigned power) {
    std::lock_guard<std::mutex> guard(lock);
    if (tables[power].empty()) return nullptr;
    void* p = tables[power].back();
    tables[power].pop_back();
    tableBytes -= size_t{1} << power;
    return p;
  }

  // False when the cache is full: the caller frees the block.
  bool GiveTable(void* p, unsigned power) {
    std::lock_guard<std::mutex> guard(lock);
    const size_t bytes = size_t{1} << power;
    if (Bytes() + bytes > limit) return false;
    tables[power].push_back(p);
    tableBytes += bytes;
    return true;
  }

  void FreeTables() {
    for (unsigned power = 0; power < 64; ++power) {
      for (void* p : tables[power]) {
        XP_UNPOISON(p, size_t{1} << power);
        ::operator delete(p);
      }
      tables[power].clear();
      tables[power].shrink_to_fit();
    }
    tableBytes = 0;
  }

  Chunk& ChunkOf(Slab* slab) {
    auto it = std::upper_bound(chunks.begin(), chunks.end(), reinterpret_cast<char*>(slab),
                               [](char* p, const Chunk& c) { return p < c.base; });
    return *(it - 1);
  }

  Slab* Take() {
    std::lock_guard<std::mutex> guard(lock);
    if (!free) {
      char* base = static_cast<char*>(::operator new(kChunk, std::align_val_t(kSlab)));
      XP_POISON(base, kChunk);
      const Chunk chunk{base, kSlabsPerChunk};
      chunks.insert(std::upper_bound(chunks.begin(), chunks.end(), base,
                                     [](char* p, const Chunk& c) { return p < c.base; }),
                    chunk);
      for (size_t i = kSlabsPerChunk; i-- > 0;) {
        auto* slab = reinterpret_cast<Slab*>(base + i * kSlab);
        XP_UNPOISON(slab, sizeof(Slab));
        slab->next = free;
        free = slab;
      }
      freeCount += kSlabsPerChunk;
    }
    Slab* slab = free;
    free = slab->next;
    --freeCount;
    --ChunkOf(slab).freeSlabs;
    return slab;
  }

  void Give(Slab* slab) {
    XP_POISON(SlabStart(slab), kSlabPayload);
    std::lock_guard<std::mutex> guard(lock);
    slab->owner = nullptr;
    slab->next = free;
    free = slab;
    ++freeCount;
    ++ChunkOf(slab).freeSlabs;
    if (Bytes() > limit) TrimTo(limit);
  }

  // Frees the table blocks, then whole chunks, until the cache fits in
  // bytes.
  void TrimTo(size_t bytes) {
    if (Bytes() > bytes) FreeTables();
    for (auto it = chunks.begin(); it != chunks.end() && freeCount * kSlab > bytes;) {
      if (it->freeSlabs != kSlabsPerChunk) {
        ++it;
        continue;
      }
      char* base = it->base;
      for (Slab** link = &free; *link;) {
        char* at = reinterpret_cast<char*>(*link);
        if (at >= base && at < base + kChunk)
          *link = (*link)->next;
        else
          link = &(*link)->next;
      }
      freeCount -= kSlabsPerChunk;
      XP_UNPOISON(base, kChunk);
      ::operator delete(base, std::align_val_t(kSlab));
      it = chunks.erase(it);
    }
  }
};

// Never destroyed: nodes freed during program exit may still return slabs.
SlabCache& Cache() {
  static SlabCache* cache = new SlabCache();
  return *cache;
}

void UseSlab(TXpNodeArena& arena, Slab* slab) {
  arena.current = slab;
  arena.cursor = SlabStart(slab);
  arena.end = reinterpret_cast<char*>(slab) + kSlab;
}

// Moves on to the next slab: one kept from before the last reset, or one
// from the cache.
void NextSlab(TXpNodeArena& arena) {
  Slab* slab = arena.current ? arena.current->next : arena.first;
  if (!slab) {
    slab = Cache().Take();
    slab->owner = &arena;
    slab->next = nullptr;
    if (arena.last)
      arena.last->next = slab;
    else
      arena.first = slab;
    arena.last = slab;
  }
  UseSlab(arena, slab);
}

void FreeArena(TXpNodeArena* arena) {
  for (Slab* slab = arena->first; slab;) {
    Slab* next = slab->next;
    Cache().Give(slab);
    slab = next;
  }
  XpFreeNameSet(arena->names);
  delete arena;
}

// Never destroyed: nodes freed during program exit may still return here.
TXpNodeArena& ThreadPool() {
  thread_local TXpNodeArena* pool = [] {
    auto* p = new TXpNodeArena();
    p->threadPool = true;
    return p;
  }();
  return *pool;
}

thread_local TXpNodeArena* tCurrent = nullptr;

}  // namespace

void* XpNodeAllocate(size_t size) { return XpNodeAllocateIn(nullptr, size); }

namespace {

// Table blocks kept in the cache: from 64 KiB on, sizes a power of two.
constexpr size_t kTableCachedFrom = size_t{64} << 10;

// The power of two of bytes when a block of that size is cached, else 0.
unsigned CachedTablePower(size_t bytes) {
  if (bytes < kTableCachedFrom || (bytes & (bytes - 1)) != 0) return 0;
  unsigned power = 0;
  while ((size_t{1} << power) < bytes) ++power;
  return power;
}

}  // namespace

void* XpTableAllocate(size_t bytes) {
  if (const unsigned power = CachedTablePower(bytes)) {
    if (void* p = Cache().TakeTable(power)) {
      XP_UNPOISON(p, bytes);
      return p;
    }
  }
  return ::operator new(bytes);
}

void XpTableFree(void* p, size_t bytes) {
  if (!p) return;
  if (const unsigned power = CachedTablePower(bytes)) {
    XP_POISON(p, bytes);
    if (Cache().GiveTable(p, power)) return;
    XP_UNPOISON(p, bytes);
  }
  ::operator delete(p);
}

void* XpNodeAllocateIn(TXpNodeArena* in, size_t size) {
  const size_t sizeClass = (size + kGrain - 1) / kGrain;
  if (sizeClass >= kClasses) return XpTableAllocate(size);
  TXpNodeArena& arena = in ? *in : tCurrent ? *tCurrent : ThreadPool();
  ++arena.live;
  const size_t bytes = sizeClass * kGrain;
  if (FreeBlock* block = arena.free[sizeClass]) {
    XP_UNPOISON(block, bytes);
    arena.free[sizeClass] = block->next;
    return block;
  }
  // The rest of a slab too small for this size stays unused.
  if (static_cast<size_t>(arena.end - arena.cursor) < bytes) NextSlab(arena);
  void* p = arena.cursor;
  arena.cursor += bytes;
  XP_UNPOISON(p, bytes);
  return p;
}

void XpNodeFree(void* p, size_t size) {
  if (!p) return;
  const size_t sizeClass = (size + kGrain - 1) / kGrain;
  if (sizeClass >= kClasses) {
    XpTableFree(p, size);
    return;
  }
  const size_t bytes = sizeClass * kGrain;
  TXpNodeArena* owner = SlabOf(p)->owner;
  // A block of a thread's pool joins the lists of the thread that frees it.
  TXpNodeArena& arena = owner->threadPool ? ThreadPool() : *owner;
  if (!arena.threadPool && --arena.live == 0) {
    XP_POISON(p, bytes);
    if (arena.released && arena.link.pins == 0) {
      FreeArena(&arena);
      return;
    }
    // No block in use: start again at the first slab.
    for (FreeBlock*& head : arena.free) head = nullptr;
    for (Slab* slab = arena.first; slab; slab = slab->next) XP_POISON(SlabStart(slab), kSlabPayload);
    arena.current = nullptr;
    arena.cursor = arena.end = nullptr;
    return;
  }
  auto* block = static_cast<FreeBlock*>(p);
  block->next = arena.free[sizeClass];
  arena.free[sizeClass] = block;
  XP_POISON(p, bytes);
}

TXpNodeArena* XpArenaOf(const void* block) {
  TXpNodeArena* owner = SlabOf(block)->owner;
  return owner->threadPool ? nullptr : owner;
}

TXpNameSet** XpArenaNames(TXpNodeArena* arena) { return arena->threadPool ? nullptr : &arena->names; }

void XpSetNodeCacheLimit(size_t bytes) {
  SlabCache& cache = Cache();
  std::lock_guard<std::mutex> guard(cache.lock);
  cache.limit = bytes;
  cache.TrimTo(bytes);
}

void XpReleaseNodeCache() {
  SlabCache& cache = Cache();
  std::lock_guard<std::mutex> guard(cache.lock);
  cache.TrimTo(0);
}

size_t XpNodeCacheBytes() {
  SlabCache& cache = Cache();
  std::lock_guard<std::mutex> guard(cache.lock);
  return cache.Bytes();
}

// An arena goes when its document has released it and no block or node
// names it any more.

TXpNodeArena* XpArenaNew() { return new TXpNodeArena(); }

void XpArenaRelease(TXpNodeArena* arena) {
  if (!arena) return;
  if (tCurrent == arena) tCurrent = nullptr;
  arena->link.document = nullptr;
  arena->released = true;
  if (arena->live == 0 && arena->link.pins == 0) FreeArena(arena);
}

TXpOwnerLink* XpArenaLink(TXpNodeArena* arena) { return &arena->link; }

void XpLinkUnused(TXpOwnerLink* link) {
  auto* arena = reinterpret_cast<TXpNodeArena*>(link);
  if (arena->released && arena->live == 0) FreeArena(arena);
}

TXpArenaScope::TXpArenaScope(TXpNodeArena* arena) : FSaved(tCurrent) { tCurrent = arena; }

TXpArenaScope::~TXpArenaScope() { tCurrent = FSaved; }
