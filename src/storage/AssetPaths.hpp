#pragma once
// Game data paths and the mod folder.
//
// Game data files are named by paths relative to a data root, with "\" as
// separator ("/" is accepted wherever a separator is tested):
// "maps\level1", "sprites\mowerIdle.spr", "game.ini".  resolveAssetPath puts
// the root in front: "base\" normally, or the mod folder named on the command
// line with -base, which then replaces "base\" for every game data file (no
// fallback to "base\").  The engine's own data under "zavi3\" and the
// settings files in the working directory are never redirected.

#include <string>
#include <string_view>

// Set once at start-up by scanModFolderArgument, read-only afterwards.
extern bool modFolderGiven;     // true when the command line named a mod folder
extern std::string modFolder;   // the folder as given; empty when none

// The command-line scan of the entry point.  First resets modFolderGiven to
// false and modFolder to empty, then looks at argv[1] .. argv[argc - 1]: an
// argument equal to "-base" in any letter case takes the argument after it as
// the mod folder; the scan then goes on with that very argument (so it is
// itself looked at), and a later "-base" replaces an earlier one.  Anything
// else ("base", "--base", ...) is ignored.
// A "-base" that is the last argument, or is followed by an empty argument,
// names no folder and is treated as absent: it changes nothing (an earlier
// "-base" with a folder stays in force).
void scanModFolderArgument(int argc, const char* const* argv);

// Turns a relative data path into a real path, in place: the root ("base\",
// or the mod folder when modFolderGiven and modFolder is not empty) with a
// trailing separator, followed by the path.  An absolute path
// (platform::isAbsolutePath: "C:...", "\\...", "/...") is left unchanged.
void resolveAssetPath(std::string& path);
// The same, returning the result.
std::string resolvedAssetPath(std::string_view path);

// "music\" joined with the name, then resolved; an absolute name unchanged.
std::string resolveMusicPath(std::string_view name);

// Empty folder: the name.  Folder ending in "\" or "/": folder + name.
// Otherwise folder + "\" + name.
std::string joinPath(std::string_view folder, std::string_view name);
// The folder unchanged if it ends in "\" or "/", otherwise with "\" added.
std::string withTrailingSeparator(std::string_view folder);
// "zavi3\" joined with the name (engine data; never redirected).
std::string kvDataPath(std::string_view name);
// The part after the last "\" or "/"; the whole path when it holds neither.
std::string getFileName(std::string_view path);

constexpr const char* baseDataFolder = "base\\";
constexpr const char* musicFolder = "music\\";
constexpr const char* kvDataFolder = "zavi3\\";
