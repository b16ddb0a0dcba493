#include "platform/Clock.hpp"

#include <chrono>
#include <ctime>

namespace platform {

std::uint64_t tickCountMs()
{
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

UtcTime utcNow()
{
    using namespace std::chrono;
    const auto now = floor<milliseconds>(system_clock::now());
    const auto wholeSeconds = floor<seconds>(now);
    const std::time_t calendar = system_clock::to_time_t(wholeSeconds);

    UtcTime result;
    std::tm parts{};
    if (gmtime_r(&calendar, &parts) == nullptr)
        return result;
    result.year = parts.tm_year + 1900;
    result.month = parts.tm_mon + 1;
    result.day = parts.tm_mday;
    result.hour = parts.tm_hour;
    result.minute = parts.tm_min;
    result.second = parts.tm_sec;
    result.millisecond = static_cast<int>((now - wholeSeconds).count());
    return result;
}

} // namespace platform
