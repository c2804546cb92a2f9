#include "NxLargePages.h"

#include <cstdlib>

// Large pages need a privilege on Windows: plain memory.
void* NxLargePages::allocate(std::size_t bytes)
{
    return std::malloc(bytes);
}

void NxLargePages::release(void* memory)
{
    std::free(memory);
}

// The Windows heap keeps freed blocks by itself.
void NxLargePages::keepFreedBlocks()
{
}
