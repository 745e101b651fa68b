// Memory of the tree's nodes: blocks of a few fixed sizes cut from large
// slabs. Nodes made for a document come from that document's arena: they
// lie in memory in the order they were made, a block freed while the
// document lives is kept on a list per size for the next node of that
// size, and once no block of the arena is in use any more (the tree has
// been cleared) the arena starts again at its first slab, so the next tree
// is laid out in order in memory that is already there. An arena outlives
// its document as long as one of its nodes does (a caller may hold a node
// after the document has gone). When an arena goes, its slabs are kept in a
// cache for the next document's arena, up to a limit, instead of going back
// to the system, whose fresh pages cost far more than reused ones. Nodes
// made outside a document's factory come from a pool of the thread, whose
// slabs are kept for the life of the program. Under AddressSanitizer free
// blocks are poisoned, so that a use after release is still found.
#pragma once

#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

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

// The cache of slabs no arena uses, and of freed table blocks (below): at
// most `bytes` are kept (1 GiB unless set); XpReleaseNodeCache gives back
// all it can to the system.
void XpSetNodeCacheLimit(size_t bytes);
void XpReleaseNodeCache();
// Bytes the cache holds now.
size_t XpNodeCacheBytes();

// Memory of the tree's tables (the hash slots of names and attributes,
// long child lists). A block of at least 64 KiB whose size is a power of
// two is kept in the cache when freed and given to the next table of that
// size, whose pages are then already there; other sizes come from the heap.
void* XpTableAllocate(size_t bytes);
void XpTableFree(void* p, size_t bytes);

// A zero-filled array of plain entries in table memory.
template <class T>
class TXpTable {
  static_assert(std::is_trivially_copyable_v<T>);

public:
  TXpTable() = default;
  explicit TXpTable(size_t n) : FData(static_cast<T*>(XpTableAllocate(n * sizeof(T)))), FSize(n) {
    std::memset(static_cast<void*>(FData), 0, n * sizeof(T));
  }
  TXpTable(const TXpTable&) = delete;
  TXpTable& operator=(const TXpTable&) = delete;
  ~TXpTable() {
    if (FData) XpTableFree(FData, FSize * sizeof(T));
  }
  void swap(TXpTable& other) {
    std::swap(FData, other.FData);
    std::swap(FSize, other.FSize);
  }
  size_t size() const { return FSize; }
  bool empty() const { return FSize == 0; }
  T& operator[](size_t i) { return FData[i]; }
  const T& operator[](size_t i) const { return FData[i]; }
  T* begin() { return FData; }
  T* end() { return FData + FSize; }
  const T* begin() const { return FData; }
  const T* end() const { return FData + FSize; }

private:
  T* FData = nullptr;
  size_t FSize = 0;
};

struct TXpNameSet;
// Where an arena keeps the names of its nodes (see XpNameTable.h); null
// when the arena keeps none.
TXpNameSet** XpArenaNames(TXpNodeArena* arena);

// A new arena for a document, and its release when the document goes: its
// slabs are freed once no block is in use and no node names the document
// as its owner any more.
TXpNodeArena* XpArenaNew();
void XpArenaRelease(TXpNodeArena* arena);

class TXpDocument;

// How a node reaches its owner document: through the link of the
// document's arena, which forgets the document when it goes. A node may
// outlive its document (a caller holds it); it then has no owner document
// instead of one that has been freed. Each node naming a document as its
// owner keeps the link, and so the arena, alive.
struct TXpOwnerLink {
  TXpDocument* document = nullptr;
  size_t pins = 0;
};
TXpOwnerLink* XpArenaLink(TXpNodeArena* arena);
// Frees the arena of link when nothing uses it any more.
void XpLinkUnused(TXpOwnerLink* link);

// A node's owner document, read as a plain pointer.
class TXpOwnerRef {
public:
  TXpOwnerRef() = default;
  TXpOwnerRef(const TXpOwnerRef&) = delete;
  TXpOwnerRef& operator=(const TXpOwnerRef&) = delete;
  ~TXpOwnerRef() { Set(nullptr); }

  operator TXpDocument*() const { return FLink ? FLink->document : nullptr; }
  TXpDocument* operator->() const { return *this; }
  TXpOwnerLink* Link() const { return FLink; }
  void Set(TXpOwnerLink* link) {
    if (link == FLink) return;
    if (link) ++link->pins;
    TXpOwnerLink* old = FLink;
    FLink = link;
    if (old && --old->pins == 0) XpLinkUnused(old);
  }

private:
  TXpOwnerLink* FLink = nullptr;
};

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
