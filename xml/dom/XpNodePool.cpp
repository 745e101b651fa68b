#include "xml/dom/XpNodePool.h"

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
constexpr size_t kClasses = 64;  // blocks up to 504 bytes
constexpr size_t kSlab = 64 * 1024;

struct FreeBlock {
  FreeBlock* next;
};

struct Pool {
  FreeBlock* free[kClasses] = {};
  char* cursor = nullptr;
  char* end = nullptr;
};

thread_local Pool tPool;

}  // namespace

void* XpNodeAllocate(size_t size) {
  const size_t sizeClass = (size + kGrain - 1) / kGrain;
  if (sizeClass >= kClasses) return ::operator new(size);
  Pool& pool = tPool;
  if (FreeBlock* block = pool.free[sizeClass]) {
    pool.free[sizeClass] = block->next;
    return block;
  }
  const size_t bytes = sizeClass * kGrain;
  if (static_cast<size_t>(pool.end - pool.cursor) < bytes) {
    // The rest of the old slab is too small for this size; it stays unused.
    pool.cursor = static_cast<char*>(::operator new(kSlab));
    pool.end = pool.cursor + kSlab;
  }
  void* p = pool.cursor;
  pool.cursor += bytes;
  return p;
}

void XpNodeFree(void* p, size_t size) {
  if (!p) return;
  const size_t sizeClass = (size + kGrain - 1) / kGrain;
  if (sizeClass >= kClasses) {
    ::operator delete(p);
    return;
  }
  Pool& pool = tPool;
  auto* block = static_cast<FreeBlock*>(p);
  block->next = pool.free[sizeClass];
  pool.free[sizeClass] = block;
}

#else

void* XpNodeAllocate(size_t size) { return ::operator new(size); }
void XpNodeFree(void* p, size_t) { ::operator delete(p); }

#endif
