// Freed pictures and maps leave the process: large blocks at once, the
// heap's freed pages when asked.

#include "platform/Memory.hpp"

#include "platform/ProcessStats.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool freedBlocksLeave = false;
#else
constexpr bool freedBlocksLeave = true;
#endif

// Blocks touched, then freed under a small block taken after them, which
// keeps the heap from shrinking by itself; the peak resident size after.
std::uint64_t residentAfterFreeing(std::size_t blocks, std::size_t size, bool release)
{
    std::vector<std::unique_ptr<char[]>> taken;
    for (std::size_t i = 0; i < blocks; ++i) {
        taken.push_back(std::make_unique<char[]>(size));
        std::memset(taken.back().get(), 1, size);
    }
    // Too large for any freed small block, too small for a block of its own.
    const auto pin = std::make_unique<char[]>(200u << 10);
    taken.clear();
    if (release)
        platform::releaseFreedMemory();
    EXPECT_TRUE(platform::resetPeakResident());
    return platform::peakResidentBytes().value_or(0);
}

TEST(Memory, FreedBlocksLeaveTheProcess)
{
    if (!freedBlocksLeave)
        GTEST_SKIP() << "the address checker keeps freed blocks back";
    platform::returnLargeBlocksWhenFreed();
    // A large block freed would otherwise have the next ones of its size
    // taken from the heap, where they stay.
    std::make_unique<char[]>(4u << 20).reset();
    ASSERT_TRUE(platform::resetPeakResident());
    const std::uint64_t quiet = platform::peakResidentBytes().value_or(0);
    ASSERT_GT(quiet, 0u);
    constexpr std::uint64_t slack = 8u << 20;

    // 32 MiB in pictures of 400 KiB.
    EXPECT_LT(residentAfterFreeing(80, 400u << 10, false), quiet + slack);
    // 32 MiB in tiles of 4 KiB stay in the heap until it is asked to give
    // them back.
    EXPECT_LT(residentAfterFreeing(8192, 4u << 10, true), quiet + slack);
}

} // namespace
