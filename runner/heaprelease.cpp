#include "runner/heaprelease.h"

// Any header of the C library says which one it is.
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {
constexpr int LargeBlock = 512 * 1024;
}

void HeapRelease::returnLargeBlocks()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, LargeBlock);
#endif
}

void HeapRelease::now()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
