#pragma once
// The game started as the player starts it, timed from the moment it is
// started to the moment it says its first main-menu frame has been shown.

#include <filesystem>
#include <optional>
#include <string>

namespace bench {

// Milliseconds; nothing (with the reason) when the game did not get there
// within half a minute.
std::optional<double> timeStartup(const std::filesystem::path& game, std::string& error);

} // namespace bench
