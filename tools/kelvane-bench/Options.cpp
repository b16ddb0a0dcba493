#include "Options.hpp"

#include <charconv>

namespace bench {

const char* const usage =
    "Usage: kelvane-bench [--quick] [--run-folder DIR] [--game FILE] [--plot FILE] [--json FILE]\n"
    "                     [--screenshot FILE] [--antialiasing LEVEL]\n"
    "\n"
    "Times the game in a window of its own, with the frame limit and v-sync off,\n"
    "and prints the figures as one JSON object and as a table.  The idle figures\n"
    "are taken at the player's settings (60 frames a second, v-sync on).\n"
    "\n"
    "  --quick           fewer frames, runs and seconds: done in well under a minute\n"
    "  --run-folder DIR  the game's data (default: the build's run folder)\n"
    "  --game FILE       the game started for the start-up time (default: the build's)\n"
    "  --plot FILE       where the frame-time plot of the game run goes\n"
    "                    (default: kelvane-bench-frames.png here)\n"
    "  --json FILE       the JSON object also written to FILE\n"
    "  --screenshot FILE a PNG of the game run's last frame, to compare builds by\n"
    "  --antialiasing LEVEL  the antialiasing level asked for the window instead of\n"
    "                    the player's setting (8), as zavi3.ini's antialiasingLevel\n";

namespace {

// A whole number from 0 to 16, the levels a driver can be asked for.
std::optional<unsigned> antialiasingLevel(std::string_view text)
{
    unsigned level = 0;
    const char* const last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(text.data(), last, level);
    if (ec != std::errc() || end != last || level > 16)
        return std::nullopt;
    return level;
}

} // namespace

bool parseOptions(const std::vector<std::string_view>& args, Options& options, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--quick")
            options.quick = true;
        else if (arg == "--help")
            options.help = true;
        else if (arg == "--run-folder" && hasValue)
            options.runFolder = args[++i];
        else if (arg == "--game" && hasValue)
            options.game = args[++i];
        else if (arg == "--plot" && hasValue)
            options.plot = args[++i];
        else if (arg == "--json" && hasValue)
            options.json = args[++i];
        else if (arg == "--screenshot" && hasValue)
            options.screenshot = args[++i];
        else if (arg == "--antialiasing" && hasValue) {
            options.antialiasing = antialiasingLevel(args[++i]);
            if (!options.antialiasing) {
                error = "--antialiasing takes a level from 0 to 16, not " + std::string(args[i]);
                return false;
            }
        } else {
            error = "unknown or incomplete option " + std::string(arg);
            return false;
        }
    }
    return true;
}

} // namespace bench
