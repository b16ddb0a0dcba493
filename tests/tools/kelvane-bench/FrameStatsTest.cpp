#include "FrameStats.hpp"

#include <gtest/gtest.h>

namespace {

struct SummaryCase {
    const char* what;
    std::vector<double> times;
    double median, p95, worst;
};

TEST(BenchFrameStats, MedianAndNearestRankP95OfAnyOrder)
{
    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i)
        hundred.push_back(i);
    std::vector<double> twenty(19, 1.0);
    twenty.push_back(50.0);
    const std::vector<SummaryCase> cases = {
        {"one frame", {7.0}, 7.0, 7.0, 7.0},
        {"odd count: the middle one", {9.0, 1.0, 5.0}, 5.0, 9.0, 9.0},
        {"even count: between the middle two", {4.0, 1.0, 3.0, 2.0}, 2.5, 4.0, 4.0},
        {"a hundred frames: the 95th smallest", hundred, 50.5, 95.0, 100.0},
        {"one slow frame in twenty stays out of the p95", twenty, 1.0, 1.0, 50.0},
    };
    for (const SummaryCase& c : cases) {
        const std::optional<bench::FrameSummary> s = bench::summarise(c.times);
        ASSERT_TRUE(s) << c.what;
        EXPECT_EQ(s->frames, c.times.size()) << c.what;
        EXPECT_DOUBLE_EQ(s->medianMs, c.median) << c.what;
        EXPECT_DOUBLE_EQ(s->p95Ms, c.p95) << c.what;
        EXPECT_DOUBLE_EQ(s->worstMs, c.worst) << c.what;
    }
    EXPECT_FALSE(bench::summarise({}));
}

TEST(BenchFrameStats, RatiosAndCoreSharesNeedSomethingToDivideBy)
{
    EXPECT_DOUBLE_EQ(*bench::ratioToFloor(6.0, 1.5), 4.0);
    EXPECT_FALSE(bench::ratioToFloor(6.0, 0.0));
    EXPECT_FALSE(bench::ratioToFloor(6.0, -1.0));

    EXPECT_DOUBLE_EQ(*bench::cpuPercentOfOneCore(10.0, 11.5, 10.0), 15.0);
    // Two busy threads are two cores' worth.
    EXPECT_DOUBLE_EQ(*bench::cpuPercentOfOneCore(0.0, 4.0, 2.0), 200.0);
    EXPECT_FALSE(bench::cpuPercentOfOneCore(0.0, 1.0, 0.0));
}

} // namespace
