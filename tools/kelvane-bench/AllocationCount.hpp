#pragma once
// Heap allocations made through operator new by the thread that asked for
// counting, while it counts.  The benchmark replaces the global operator
// new to count them; other threads (audio streaming, the driver's) are not
// the frame's and are left out.

#include <cstdint>

namespace bench {

void startCountingAllocations();
void stopCountingAllocations();
std::uint64_t allocationsCounted();

} // namespace bench
