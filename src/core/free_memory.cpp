#include "core/free_memory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace nb {

void ReturnFreedMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

}  // namespace nb
