#include "FrameStats.hpp"

#include <algorithm>
#include <cmath>

namespace bench {

std::optional<FrameSummary> summarise(std::vector<double> frameTimesMs)
{
    if (frameTimesMs.empty())
        return std::nullopt;
    std::sort(frameTimesMs.begin(), frameTimesMs.end());
    const std::size_t n = frameTimesMs.size();
    FrameSummary s;
    s.frames = n;
    s.medianMs = n % 2 == 1 ? frameTimesMs[n / 2] : (frameTimesMs[n / 2 - 1] + frameTimesMs[n / 2]) / 2.0;
    const auto rank = static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(n)));
    s.p95Ms = frameTimesMs[rank - 1];
    s.worstMs = frameTimesMs.back();
    return s;
}

std::optional<double> ratioToFloor(double frameMs, double floorMs)
{
    if (!(floorMs > 0.0))
        return std::nullopt;
    return frameMs / floorMs;
}

std::optional<double> cpuPercentOfOneCore(double cpuSecondsBefore, double cpuSecondsAfter, double wallSeconds)
{
    if (!(wallSeconds > 0.0))
        return std::nullopt;
    return 100.0 * (cpuSecondsAfter - cpuSecondsBefore) / wallSeconds;
}

} // namespace bench
