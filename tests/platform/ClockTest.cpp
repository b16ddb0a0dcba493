#include "platform/Clock.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <thread>

namespace {

TEST(PlatformClock, TickCountIsMonotonicMilliseconds)
{
    const std::uint64_t start = platform::tickCountMs();
    std::uint64_t previous = start;
    for (int i = 0; i < 1000; ++i) {
        const std::uint64_t now = platform::tickCountMs();
        ASSERT_GE(now, previous);
        previous = now;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
    const std::uint64_t elapsed = platform::tickCountMs() - start;
    EXPECT_GE(elapsed, 25u);
    EXPECT_LT(elapsed, 5000u);
}

TEST(PlatformClock, UtcNowAgreesWithTheCalendarClock)
{
    const std::time_t before = std::time(nullptr);
    const platform::UtcTime now = platform::utcNow();
    const std::time_t after = std::time(nullptr);

    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_GE(now.day, 1);
    EXPECT_LE(now.day, 31);
    EXPECT_GE(now.hour, 0);
    EXPECT_LE(now.hour, 23);
    EXPECT_GE(now.minute, 0);
    EXPECT_LE(now.minute, 59);
    EXPECT_GE(now.second, 0);
    EXPECT_LE(now.second, 60);
    EXPECT_GE(now.millisecond, 0);
    EXPECT_LE(now.millisecond, 999);

    std::tm parts{};
    parts.tm_year = now.year - 1900;
    parts.tm_mon = now.month - 1;
    parts.tm_mday = now.day;
    parts.tm_hour = now.hour;
    parts.tm_min = now.minute;
    parts.tm_sec = now.second;
    const std::time_t seconds = timegm(&parts);
    EXPECT_GE(seconds, before);
    EXPECT_LE(seconds, after);
}

TEST(PlatformClock, UtcMillisecondsMove)
{
    // Over a few samples the millisecond field must take more than one value.
    const int first = platform::utcNow().millisecond;
    bool changed = false;
    for (int i = 0; i < 50 && !changed; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        changed = platform::utcNow().millisecond != first;
    }
    EXPECT_TRUE(changed);
}

} // namespace
