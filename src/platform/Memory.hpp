#pragma once
// The C library's heap.  Pictures, maps and frozen screens come and go in
// blocks of megabytes; freed, they would stay in the process for good.

namespace platform {

// At start-up: blocks of 256 KiB and more are given back the moment they
// are freed, however many came and went before.
void returnLargeBlocksWhenFreed();
// Gives back whatever freed memory the heap still holds.
void releaseFreedMemory();

} // namespace platform
