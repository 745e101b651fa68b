// Memory of the tree's nodes: blocks of a few fixed sizes cut from large
// slabs and kept, once freed, on a list per size for the next node of that
// size. Building and freeing a tree then costs a few pointer moves per
// node instead of a call into the heap, and nodes built together lie
// together in memory. Each thread keeps its own lists; a node freed on
// another thread simply joins that thread's lists. Slabs are kept for the
// life of the program. Under AddressSanitizer every node comes from the
// heap, so that use after release is still found.
#pragma once

#include <cstddef>

void* XpNodeAllocate(size_t size);
void XpNodeFree(void* p, size_t size);
