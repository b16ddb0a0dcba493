#pragma once
// The two roots relative data paths live in: the user folder, where
// everything the program writes goes and which is the working folder, and
// the read-only data folder with the shipped "zavi3" and "base".
//
// Where they are is decided once at start-up:
// - a run folder: the working folder, or else the executable's folder,
//   holding "zavi3/".  Data folder and user folder are that one folder.
// - installed: "<executable's folder>/../share/kelvane" holding "zavi3/" is
//   the data folder, and the user folder is "$XDG_DATA_HOME/kelvane", or
//   "$HOME/.local/share/kelvane" when XDG_DATA_HOME is unset, empty or not an
//   absolute path.
// With neither, the working folder stays a run folder, and the program says
// what it misses when it looks for its data.
//
// How paths are read, listed and written across the two is the business of
// Paths.hpp and FileSystem.hpp; nothing else needs to know the layout.

#include <filesystem>
#include <optional>
#include <string>

namespace platform {

enum class RootLayout { RunFolder, Installed };

// What the decision looks at, gathered by rootFactsOfThisProcess.
struct RootFacts {
    std::filesystem::path workingFolder;  // absolute
    std::filesystem::path executable;     // absolute, links resolved; empty when unknown
    std::optional<std::string> xdgDataHome;
    std::optional<std::string> home;
};

struct RootPlan {
    RootLayout layout = RootLayout::RunFolder;
    std::filesystem::path dataFolder;  // absolute
    std::filesystem::path userFolder;  // absolute; the data folder for a run folder
    // Empty when the user folder is fine; otherwise why there is none
    // (installed, with neither an absolute XDG_DATA_HOME nor HOME).
    std::string problem;
};

// Reads the file system for the "zavi3" folders but changes nothing.
RootPlan planRoots(const RootFacts& facts);

// The working folder, /proc/self/exe and the environment; a HOME that is
// unset or relative is taken from the password database.
RootFacts rootFactsOfThisProcess();

enum class WorkingFolder {
    MoveToUserFolder,  // the game: it runs in its user folder
    Keep,              // the data tool: file names on its command line stay
                       // relative to where it was started, which is then
                       // the user folder
};

// Plans the roots for this process and puts them in force: the user folder
// is created (folders made for it get mode 0700) and, as asked, becomes the
// working folder.  Empty on success, else a message for the player.
std::string setUpRoots(WorkingFolder working);

// The data folder relative paths fall back to for reading, as an absolute
// path; empty while it is the working folder itself (a run folder, and
// before setUpRoots).
const std::filesystem::path& fallbackDataFolder();
// For tests: relative paths are then read from the working folder first and
// from this folder next.  An empty path returns to a plain run folder.
void useFallbackDataFolder(const std::filesystem::path& folder);

} // namespace platform
