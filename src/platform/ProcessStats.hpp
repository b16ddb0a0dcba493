#pragma once
// What the kernel says this process costs: processor time and the largest
// resident memory, read from /proc/self.

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// User plus system time of all the process's threads, in seconds; nullopt
// when /proc cannot be read.
std::optional<double> processCpuSeconds();
// The most memory the process has held resident, in bytes.
std::optional<std::uint64_t> peakResidentBytes();
// Starts the peak over from what is resident now; false where the kernel
// does not allow it.
bool resetPeakResident();

// The readers' rules, apart from the files: utime plus stime in clock ticks
// from the text of /proc/<pid>/stat, and VmHWM in bytes from the text of
// /proc/<pid>/status.
std::optional<std::uint64_t> cpuTicksFromStat(std::string_view stat);
std::optional<std::uint64_t> peakResidentFromStatus(std::string_view status);

} // namespace platform
