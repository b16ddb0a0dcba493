#include "engine/TimeSource.hpp"

#include <chrono>

namespace KVCore {
namespace {

class SystemTime final : public TimeSource {
public:
    double seconds() const override
    {
        using namespace std::chrono;
        return duration<double>(steady_clock::now().time_since_epoch()).count();
    }
    platform::UtcTime utcNow() const override { return platform::utcNow(); }
};

// Installed by tests through setTimeSource; the system clocks otherwise.
struct TimeState {
    SystemTime system;
    std::unique_ptr<TimeSource> installed;
};
TimeState state;

} // namespace

const TimeSource& timeSource()
{
    if (state.installed)
        return *state.installed;
    return state.system;
}

void setTimeSource(std::unique_ptr<TimeSource> source) { state.installed = std::move(source); }

} // namespace KVCore
