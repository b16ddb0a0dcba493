#pragma once
// Where the engine reads the time.  The poller's tick and frame clocks and
// the wall clock of messages and the FPS counter all come from here, so
// tests can step time by hand.

#include "platform/Clock.hpp"

#include <memory>

namespace KVCore {

class TimeSource {
public:
    virtual ~TimeSource() = default;
    // Monotonic seconds since an arbitrary start.
    virtual double seconds() const = 0;
    virtual platform::UtcTime utcNow() const = 0;
};

// The installed source; the system clocks unless a test swapped them.
const TimeSource& timeSource();
// Installs a source (nullptr restores the system clocks).
void setTimeSource(std::unique_ptr<TimeSource> source);

} // namespace KVCore
