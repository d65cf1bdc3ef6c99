#include "memory.h"

#include <climits>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void keep_freed_memory_in_process() {
#if defined(__GLIBC__)
    // glibc serves blocks of more than 32 MiB (the larger trials' arrays) with
    // their own mappings and unmaps them on free, and it hands the top of the
    // heap back once more than 128 KiB of it is free. Both send every trial to
    // the kernel for fresh pages: about a second of page faults over the
    // series. From the heap, without trimming, the arrays of one trial reuse
    // the pages of the previous one, which was two thirds its size.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
#endif
}
