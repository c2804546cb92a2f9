#include "NxLargePages.h"

#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <sys/mman.h>

namespace {
const std::size_t kLargePage = std::size_t(2) << 20;
// Blocks below this come from the heap, which keeps this much free memory
// at its top before giving it back.
const int kHeapBlockLimit = 32 << 20;
const int kKeptFreeMemory = 64 << 20;
} // namespace

void* NxLargePages::allocate(std::size_t bytes)
{
    const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    void* memory = std::aligned_alloc(kLargePage, rounded);
    if (memory)
        madvise(memory, rounded, MADV_HUGEPAGE); // a hint: refused, the memory is still good
    return memory;
}

void NxLargePages::release(void* memory)
{
    std::free(memory);
}

void NxLargePages::keepFreedBlocks()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, kHeapBlockLimit);
    mallopt(M_TRIM_THRESHOLD, kKeptFreeMemory);
#endif
}
