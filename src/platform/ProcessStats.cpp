#include "platform/ProcessStats.hpp"

#include <unistd.h>

#include <charconv>
#include <fstream>
#include <iterator>
#include <string>

namespace platform {
namespace {

std::optional<std::string> readProcFile(const char* path)
{
    std::ifstream in(path);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string_view skipSpaces(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

// The number at the start of text, and text after it.
std::optional<std::uint64_t> leadingNumber(std::string_view& text)
{
    text = skipSpaces(text);
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc())
        return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

} // namespace

std::optional<std::uint64_t> cpuTicksFromStat(std::string_view stat)
{
    // The command name in parentheses may itself hold spaces and ')', so
    // the fields are counted from the last ')': state is field 3, utime 14
    // and stime 15.
    const std::size_t close = stat.rfind(')');
    if (close == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = skipSpaces(stat.substr(close + 1));
    for (int field = 3; field < 14; ++field) {
        const std::size_t space = rest.find(' ');
        if (space == std::string_view::npos)
            return std::nullopt;
        rest = skipSpaces(rest.substr(space + 1));
    }
    const std::optional<std::uint64_t> user = leadingNumber(rest);
    const std::optional<std::uint64_t> system = user ? leadingNumber(rest) : std::nullopt;
    if (!system)
        return std::nullopt;
    return *user + *system;
}

std::optional<std::uint64_t> peakResidentFromStatus(std::string_view status)
{
    constexpr std::string_view key = "VmHWM:";
    for (std::size_t at = 0; at < status.size();) {
        std::size_t end = status.find('\n', at);
        if (end == std::string_view::npos)
            end = status.size();
        std::string_view line = status.substr(at, end - at);
        at = end + 1;
        if (!line.starts_with(key))
            continue;
        line.remove_prefix(key.size());
        const std::optional<std::uint64_t> kib = leadingNumber(line);
        if (!kib || skipSpaces(line) != "kB")
            return std::nullopt;
        return *kib * 1024;
    }
    return std::nullopt;
}

std::optional<double> processCpuSeconds()
{
    const std::optional<std::string> stat = readProcFile("/proc/self/stat");
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    if (!stat || ticksPerSecond <= 0)
        return std::nullopt;
    const std::optional<std::uint64_t> ticks = cpuTicksFromStat(*stat);
    if (!ticks)
        return std::nullopt;
    return static_cast<double>(*ticks) / static_cast<double>(ticksPerSecond);
}

std::optional<std::uint64_t> peakResidentBytes()
{
    const std::optional<std::string> status = readProcFile("/proc/self/status");
    return status ? peakResidentFromStatus(*status) : std::nullopt;
}

bool resetPeakResident()
{
    // 5 resets the peak resident size (see proc(5), clear_refs).
    std::ofstream out("/proc/self/clear_refs");
    out << "5";
    out.flush();
    return static_cast<bool>(out);
}

} // namespace platform
