#include "platform/Clock.hpp"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <ctime>
#include <thread>

namespace {

TEST(PlatformClock, TickCountIsMonotonicMilliseconds)
{
    std::uint64_t previous = platform::tickCountMs();
    for (int i = 0; i < 1000; ++i) {
        const std::uint64_t now = platform::tickCountMs();
        ASSERT_GE(now, previous);
        previous = now;
    }
    // Milliseconds, not some other unit: the count agrees with a clock of
    // known unit read around it, to within the rounding at either end.
    const auto outerStart = std::chrono::steady_clock::now();
    const std::uint64_t first = platform::tickCountMs();
    const auto innerStart = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    const auto innerEnd = std::chrono::steady_clock::now();
    const std::uint64_t last = platform::tickCountMs();
    const auto outerEnd = std::chrono::steady_clock::now();
    const auto ms = [](auto d) { return std::chrono::duration_cast<std::chrono::milliseconds>(d).count(); };
    EXPECT_GE(static_cast<std::int64_t>(last - first), ms(innerEnd - innerStart) - 1);
    EXPECT_LE(static_cast<std::int64_t>(last - first), ms(outerEnd - outerStart) + 1);
}

TEST(PlatformClock, UtcNowAgreesWithTheCalendarClock)
{
    const std::time_t before = std::time(nullptr);
    const platform::UtcTime now = platform::utcNow();
    const std::time_t after = std::time(nullptr);
    std::tm parts{};
    parts.tm_year = now.year - 1900;
    parts.tm_mon = now.month - 1;
    parts.tm_mday = now.day;
    parts.tm_hour = now.hour;
    parts.tm_min = now.minute;
    parts.tm_sec = now.second;
    const std::time_t seconds = timegm(&parts);
    EXPECT_GE(seconds, before);
    // time() reads the kernel's coarse clock, which can lag the precise one
    // by a few milliseconds, across a second's turn.
    EXPECT_LE(seconds, after + 1);
    // timegm normalises out-of-range fields, so check that nothing needed it.
    EXPECT_EQ((std::array{parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min}),
              (std::array{now.month, now.day, now.hour, now.minute}));

    // Milliseconds are in range and move.
    bool changed = false;
    for (int i = 0; i < 50 && !changed; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        const int millisecond = platform::utcNow().millisecond;
        ASSERT_GE(millisecond, 0);
        ASSERT_LE(millisecond, 999);
        changed = millisecond != now.millisecond;
    }
    EXPECT_TRUE(changed);
}

} // namespace
