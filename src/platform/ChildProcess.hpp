#pragma once
// Another program started and watched from outside: how long it takes to
// say a given line on its standard output.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Starts the program with the arguments, in this process's environment, and
// waits until its standard output holds the line.  Milliseconds from the
// start to that moment; nothing, with the reason in error, when it did not
// say it within the patience (the program is then killed).  The program is
// waited for either way, so none is left behind.
std::optional<double> millisecondsUntilSaid(const std::filesystem::path& program,
                                            const std::vector<std::string>& arguments, std::string_view line,
                                            int patienceMs, std::string& error);

} // namespace platform
