#include "xml/dom/XpNodePool.h"

#include "xml/dom/XpNameTable.h"

#include <cstdint>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define XP_NODE_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define XP_NODE_POOL 0
#endif
#endif
#ifndef XP_NODE_POOL
#define XP_NODE_POOL 1
#endif

#if XP_NODE_POOL

namespace {

constexpr size_t kGrain = 8;
constexpr size_t kClasses = 128;  // blocks up to 1016 bytes
static_assert((kClasses - 1) * kGrain == kXpPooledMax);
// Slabs are aligned to their size: a block finds its slab, and with it its
// arena, from its address alone.
constexpr size_t kSlab = 64 * 1024;

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

Slab* SlabOf(const void* p) {
  return reinterpret_cast<Slab*>(reinterpret_cast<uintptr_t>(p) & ~(uintptr_t{kSlab} - 1));
}

void UseSlab(TXpNodeArena& arena, Slab* slab) {
  arena.current = slab;
  arena.cursor = SlabStart(slab);
  arena.end = reinterpret_cast<char*>(slab) + kSlab;
}

// Moves on to the next slab: one kept from before the last reset, or a new one.
void NextSlab(TXpNodeArena& arena) {
  Slab* slab = arena.current ? arena.current->next : arena.first;
  if (!slab) {
    slab = static_cast<Slab*>(::operator new(kSlab, std::align_val_t(kSlab)));
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
    ::operator delete(slab, std::align_val_t(kSlab));
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

void* XpNodeAllocateIn(TXpNodeArena* in, size_t size) {
  const size_t sizeClass = (size + kGrain - 1) / kGrain;
  if (sizeClass >= kClasses) return ::operator new(size);
  TXpNodeArena& arena = in ? *in : tCurrent ? *tCurrent : ThreadPool();
  ++arena.live;
  if (FreeBlock* block = arena.free[sizeClass]) {
    arena.free[sizeClass] = block->next;
    return block;
  }
  const size_t bytes = sizeClass * kGrain;
  // The rest of a slab too small for this size stays unused.
  if (static_cast<size_t>(arena.end - arena.cursor) < bytes) NextSlab(arena);
  void* p = arena.cursor;
  arena.cursor += bytes;
  return p;
}

void XpNodeFree(void* p, size_t size) {
  if (!p) return;
  const size_t sizeClass = (size + kGrain - 1) / kGrain;
  if (sizeClass >= kClasses) {
    ::operator delete(p);
    return;
  }
  TXpNodeArena* owner = SlabOf(p)->owner;
  // A block of a thread's pool joins the lists of the thread that frees it.
  TXpNodeArena& arena = owner->threadPool ? ThreadPool() : *owner;
  if (!arena.threadPool && --arena.live == 0) {
    if (arena.released && arena.link.pins == 0) {
      FreeArena(&arena);
      return;
    }
    // No block in use: start again at the first slab.
    for (FreeBlock*& head : arena.free) head = nullptr;
    arena.current = nullptr;
    arena.cursor = arena.end = nullptr;
    return;
  }
  auto* block = static_cast<FreeBlock*>(p);
  block->next = arena.free[sizeClass];
  arena.free[sizeClass] = block;
}

TXpNodeArena* XpArenaOf(const void* block) {
  TXpNodeArena* owner = SlabOf(block)->owner;
  return owner->threadPool ? nullptr : owner;
}

TXpNameSet** XpArenaNames(TXpNodeArena* arena) { return arena->threadPool ? nullptr : &arena->names; }

#else

// Under AddressSanitizer every block comes from the heap, so that a use
// after release is found, behind a header naming its arena: the arenas
// still count their blocks and outlive their documents as they do above.

struct TXpNodeArena {
  TXpOwnerLink link;  // first: XpLinkUnused finds the arena from it
  size_t live = 0;
  bool released = false;
  TXpNameSet* names = nullptr;
};

namespace {

void FreeArena(TXpNodeArena* arena) {
  XpFreeNameSet(arena->names);
  delete arena;
}

}  // namespace

namespace {

struct alignas(16) Header {
  TXpNodeArena* arena;
};

thread_local TXpNodeArena* tCurrent = nullptr;

}  // namespace

void* XpNodeAllocate(size_t size) { return XpNodeAllocateIn(nullptr, size); }

void* XpNodeAllocateIn(TXpNodeArena* in, size_t size) {
  auto* header = static_cast<Header*>(::operator new(sizeof(Header) + size));
  header->arena = in ? in : tCurrent;
  if (header->arena) ++header->arena->live;
  return header + 1;
}

void XpNodeFree(void* p, size_t) {
  if (!p) return;
  Header* header = static_cast<Header*>(p) - 1;
  TXpNodeArena* arena = header->arena;
  ::operator delete(header);
  if (arena && --arena->live == 0 && arena->released && arena->link.pins == 0) FreeArena(arena);
}

TXpNodeArena* XpArenaOf(const void* block) { return (static_cast<const Header*>(block) - 1)->arena; }

TXpNameSet** XpArenaNames(TXpNodeArena* arena) { return &arena->names; }

#endif

// The same in both builds: an arena goes when its document has released it
// and no block or node names it any more.

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
