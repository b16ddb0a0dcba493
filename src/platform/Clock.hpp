#pragma once
// Millisecond tick count and the UTC calendar clock.

#include <cstdint>

namespace platform {

struct UtcTime {
    int year = 1970, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Monotonic milliseconds since an arbitrary start.
std::uint64_t tickCountMs();
// The calendar time in UTC: month 1..12, day 1..31, millisecond 0..999.
UtcTime utcNow();

} // namespace platform
