#include "platform/ProcessStats.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

namespace {

struct StatCase {
    const char* what;
    std::string stat;
    std::optional<std::uint64_t> ticks;
};

TEST(ProcessStats, ProcessorTicksAreUserPlusSystemAfterTheCommandName)
{
    const std::string tail = " R 1 1 1 0 -1 4194304 101 0 0 0 17 5 0 0 20 0 1 0 5268456 3133440 383";
    const std::vector<StatCase> cases = {
        {"a plain name", "15392 (cat)" + tail, 22},
        {"a name with spaces and parentheses", "77 (a) b (c) d)" + tail, 22},
        {"a name that looks like fields", "77 (1 2 3 4 5 6 7 8 9 10 11 12 13)" + tail, 22},
        {"cut short before stime", "15392 (cat) R 1 1 1 0 -1 4194304 101 0 0 0 17", std::nullopt},
        {"no command name", "15392 cat R 1 1 1 0 -1 4194304 101 0 0 0 17 5", std::nullopt},
        {"not numbers where the times are", "1 (x) R 1 1 1 0 -1 4194304 101 0 0 0 a b", std::nullopt},
    };
    for (const StatCase& c : cases)
        EXPECT_EQ(platform::cpuTicksFromStat(c.stat), c.ticks) << c.what;
}

struct StatusCase {
    const char* what;
    std::string status;
    std::optional<std::uint64_t> bytes;
};

TEST(ProcessStats, PeakResidentIsVmHwmInBytes)
{
    const std::vector<StatusCase> cases = {
        {"among other lines", "Name:\tcat\nVmPeak:\t 9000 kB\nVmHWM:\t    1784 kB\nVmRSS:\t 1500 kB\n",
         1784u * 1024u},
        {"the last line without its newline", "VmRSS:\t 1 kB\nVmHWM:\t2 kB", 2048},
        {"missing", "Name:\tcat\nVmRSS:\t 1500 kB\n", std::nullopt},
        {"in another unit", "VmHWM:\t 1784 MB\n", std::nullopt},
        {"only as part of a longer key", "XVmHWM:\t 1784 kB\n", std::nullopt},
    };
    for (const StatusCase& c : cases)
        EXPECT_EQ(platform::peakResidentFromStatus(c.status), c.bytes) << c.what;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool freedBlocksLeave = false;
#else
constexpr bool freedBlocksLeave = true;
#endif

TEST(ProcessStats, ThisProcessesFiguresFollowWhatItDoes)
{
    // Work counts as processor time.
    const std::optional<double> before = platform::processCpuSeconds();
    ASSERT_TRUE(before);
    // On a busy machine the work gets the processor late, so it runs until
    // the reading moves or the patience runs out.
    volatile unsigned sink = 0;
    const auto start = std::chrono::steady_clock::now();
    double spent = 0.0;
    while (spent < 0.2 && std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        for (int i = 0; i < 100000; ++i)
            sink = sink + 1;
        const std::optional<double> now = platform::processCpuSeconds();
        ASSERT_TRUE(now);
        spent = *now - *before;
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(spent, 0.2);
    // One thread working: hardly more than the time that passed.
    EXPECT_LE(spent, wall + 0.1);

    // 64 MiB touched raises the peak by about that much; given back and
    // the peak started over, the peak is below it again.
    ASSERT_TRUE(platform::resetPeakResident());
    const std::optional<std::uint64_t> quiet = platform::peakResidentBytes();
    ASSERT_TRUE(quiet);
    constexpr std::size_t size = 64u << 20;
    {
        const auto block = std::make_unique<char[]>(size);
        std::memset(block.get(), 1, size);
        const std::optional<std::uint64_t> busy = platform::peakResidentBytes();
        ASSERT_TRUE(busy);
        EXPECT_GE(*busy, *quiet + size * 9 / 10);
        EXPECT_EQ(block[size / 2], 1);
    }
    ASSERT_TRUE(platform::resetPeakResident());
    const std::optional<std::uint64_t> again = platform::peakResidentBytes();
    ASSERT_TRUE(again);
    // The address checker keeps freed blocks back for a while, resident.
    if (!freedBlocksLeave)
        return;
    EXPECT_LT(*again, *quiet + size / 2);
}

} // namespace
