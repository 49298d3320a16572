#include "runner/heaprelease.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void HeapRelease::now()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
