#include "platform/Memory.hpp"

#include <malloc.h>

namespace platform {

// The C library would otherwise raise the threshold each time such a block
// is freed, until images of a few megabytes live in the heap proper.
void returnLargeBlocksWhenFreed() { mallopt(M_MMAP_THRESHOLD, 256 * 1024); }

void releaseFreedMemory() { malloc_trim(0); }

} // namespace platform
