#include "NxLargePages.h"

#include <cstdlib>
#include <sys/mman.h>

namespace {
const std::size_t kLargePage = std::size_t(2) << 20;
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
