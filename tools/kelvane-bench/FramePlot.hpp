#pragma once
// A picture of a run's frame times: one point a frame, the 60-a-second
// budget as a line, axes with their values, drawn with the engine's font.

#include <filesystem>
#include <string>
#include <vector>

namespace bench {

// Written through a temporary file; false with a reason when it could not be.
bool writeFramePlot(const std::vector<double>& frameTimesMs, const std::string& title,
                    const std::filesystem::path& path, std::string& error);

} // namespace bench
