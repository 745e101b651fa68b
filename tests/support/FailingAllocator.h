// An allocator that fails on request: a test program that links
// FailingAllocator.cpp gets operator new and delete that count the
// allocations of the calling thread and throw std::bad_alloc at the one
// chosen, so that a test can make every allocation of an operation fail in
// turn.
#pragma once

#include <cstddef>

namespace kel::test {

// From now on the n-th allocation (counted from 1) throws; 0 fails none.
void FailAllocation(size_t n);
// Allocations made since the last FailAllocation call.
size_t AllocationsCounted();
// Whether the chosen allocation has failed since the last call.
bool AllocationFailed();

}  // namespace kel::test
