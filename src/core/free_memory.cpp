#include "core/free_memory.h"

#include <cstdlib>  // says whether this is glibc: the test below needs it first

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace nb {

void TuneAllocator() {
#if defined(__GLIBC__)
  // Fixed values: glibc would otherwise raise the threshold to the size of the
  // largest block freed so far, and the decoded pictures of start-up would
  // send every later large block into the heap.
  mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
  mallopt(M_TRIM_THRESHOLD, 4 * 1024 * 1024);
#endif
}

void ReturnFreedMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

}  // namespace nb
