// Memory of the tree's nodes: blocks of a few fixed sizes cut from large
// slabs. Nodes made for a document come from that document's arena: they
// lie in memory in the order they were made, a block freed while the
// document lives is kept on a list per size for the next node of that
// size, and once no block of the arena is in use any more (the tree has
// been cleared) the arena starts again at its first slab, so the next tree
// is laid out in order in memory that is already there. An arena outlives
// its document as long as one of its nodes does (a caller may hold a node
// after the document has gone). Nodes made outside a document's factory
// come from a pool of the thread, whose slabs are kept for the life of the
// program. Under AddressSanitizer every node comes from the heap, so that
// use after release is still found; the arenas then only count their
// blocks.
#pragma once

#include <cstddef>

struct TXpNodeArena;

// Asks for the memory of a node that is about to be visited.
inline void XpPrefetch(const void* p) {
#if defined(__GNUC__)
  __builtin_prefetch(p);
#else
  (void)p;
#endif
}

void* XpNodeAllocate(size_t size);
void XpNodeFree(void* p, size_t size);
// A block from arena; null means as XpNodeAllocate.
void* XpNodeAllocateIn(TXpNodeArena* arena, size_t size);
// Blocks up to this size come from slabs; every node class fits.
constexpr size_t kXpPooledMax = 1016;
// The document arena a block (of at most kXpPooledMax bytes) came from, or
// null for the thread's pool.
TXpNodeArena* XpArenaOf(const void* block);

struct TXpNameSet;
// Where an arena keeps the names of its nodes (see XpNameTable.h); null
// when the arena keeps none.
TXpNameSet** XpArenaNames(TXpNodeArena* arena);

// A new arena for a document, and its release when the document goes: its
// slabs are freed at once when no block is in use, else with the last one.
TXpNodeArena* XpArenaNew();
void XpArenaRelease(TXpNodeArena* arena);

// While a scope lives, the nodes this thread makes come from arena (the
// thread's pool when arena is null). Scopes nest.
class TXpArenaScope {
public:
  explicit TXpArenaScope(TXpNodeArena* arena);
  ~TXpArenaScope();
  TXpArenaScope(const TXpArenaScope&) = delete;
  TXpArenaScope& operator=(const TXpArenaScope&) = delete;

private:
  TXpNodeArena* FSaved;
};
