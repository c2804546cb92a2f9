#pragma once

#include "NxPlatformGlobal.h"

#include <cstddef>

// Memory for large pictures. Where the system backs memory with 2 MB pages on
// request (Linux's transparent huge pages), an 8 MB picture costs a few page
// faults instead of two thousand, which on a virtual machine is most of the
// time of decoding it; elsewhere it is plain memory.
class NX_PLATFORM_EXPORT NxLargePages
{
public:
    static void* allocate(std::size_t bytes);
    static void release(void* memory);
    // Start-up frees large blocks (pictures, scaled copies) and asks for
    // others of the same size right after: kept by the allocator instead of
    // going back to the system, their pages are not faulted in a second time.
    // Called first thing in main.
    static void keepFreedBlocks();
};
