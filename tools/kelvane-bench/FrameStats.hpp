#pragma once
// The arithmetic of the figures: a run of frame times summed up, a ratio
// to the floor, a share of one core.

#include <cstddef>
#include <optional>
#include <vector>

namespace bench {

struct FrameSummary {
    std::size_t frames = 0;
    double medianMs = 0.0;
    // Nearest rank: the smallest time that at least 95% of frames keep to.
    double p95Ms = 0.0;
    double worstMs = 0.0;
};

// Nothing for an empty run.
std::optional<FrameSummary> summarise(std::vector<double> frameTimesMs);

// How many floors a frame costs; nothing when the floor is not a time.
std::optional<double> ratioToFloor(double frameMs, double floorMs);

// Processor seconds spent over wall seconds, in percent of one core; more
// than 100 when several threads ran at once.  Nothing for no wall time.
std::optional<double> cpuPercentOfOneCore(double cpuSecondsBefore, double cpuSecondsAfter,
                                          double wallSeconds);

} // namespace bench
