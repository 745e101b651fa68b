#include "tests/support/FailingAllocator.h"

#include <cstdlib>
#include <new>

namespace {

thread_local size_t tCount = 0;
thread_local size_t tFailAt = 0;
thread_local bool tFailed = false;

void* Allocate(size_t size) {
  if (++tCount == tFailAt) {
    tFailed = true;
    throw std::bad_alloc();
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

}  // namespace

namespace kel::test {

void FailAllocation(size_t n) {
  tCount = 0;
  tFailAt = n;
  tFailed = false;
}

size_t AllocationsCounted() { return tCount; }

bool AllocationFailed() { return tFailed; }

}  // namespace kel::test

// Every plain form goes through Allocate and free, so that the sanitizer
// sees matching calls.
void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
