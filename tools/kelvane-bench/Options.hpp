#pragma once
// kelvane-bench's command line.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

extern const char* const usage;

struct Options {
    bool quick = false;
    bool help = false;
    std::filesystem::path runFolder;  // the build's unless given
    std::filesystem::path game;       // the build's unless given
    std::filesystem::path plot = "kelvane-bench-frames.png";
    std::filesystem::path json;
    std::filesystem::path screenshot;
    // Asked of the window instead of the player's setting.
    std::optional<unsigned> antialiasing;
};

// The arguments after the program's name, into `options`; false with the
// reason in `error`.
bool parseOptions(const std::vector<std::string_view>& args, Options& options, std::string& error);

} // namespace bench
