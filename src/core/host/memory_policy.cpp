#include "core/host/memory_policy.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace mirovale {

void retainFreedMemory() {
#if defined(M_TRIM_THRESHOLD) && defined(M_MMAP_THRESHOLD)
    // Fixed limits also stop the allocator from moving them after each large free. Tables up
    // to 32 MiB come from the heap, and up to 256 MiB of free heap is kept before trimming.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

}  // namespace mirovale
