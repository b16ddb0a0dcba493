#pragma once
// Data paths inside the program use backslashes and Windows letter-case
// habits ("Textures\Icons.png").  This is the one place where they become
// native paths.
//
// Mapping rules (toNativePath):
// - "\" and "/" both separate components; repeated separators count as one.
// - A Windows drive prefix ("C:", "c:\", "D:/x") has no counterpart here: it
//   is dropped and the rest is taken from the file-system root, so "C:\x"
//   becomes "/x" and "C:" alone becomes "/".
// - A network prefix ("\\server\share\x") likewise becomes "/server/share/x".
// - A path starting with a single separator starts at the root ("\x" is
//   "/x", as "\x" means the root of the current drive on Windows).
// - Anything else stays relative to the working directory, which is the
//   user folder (Roots.hpp).  Reading, a relative path that names nothing
//   there is looked up in the data folder too; writing, it always lands in
//   the user folder (toWritablePath).
// - "." and ".." are kept as they are.
// - A trailing separator is kept ("Shaders\" becomes "Shaders/").

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// True for "C:..." drive paths, "\\..." network paths and, on this system,
// anything starting with a slash (so "/" alone is absolute).  A single
// leading backslash is not absolute here, as on Windows.
bool isAbsolutePath(std::string_view path);

// Backslashes become slashes; every component that does not exist with its
// exact letter case is looked up case-insensitively (ASCII) in its parent
// folder; when several entries match, the first in byte order is taken.
// Components that exist in neither form are kept as written.  A relative
// path that names nothing under the working directory but something under the
// data folder (fallbackDataFolder) gives that, as an absolute path; naming
// nothing in either, it gives the place under the working directory.  For
// reading.  Never throws.
std::filesystem::path toNativePath(std::string_view path);

// Where a file is written: mapped as toNativePath but never into the data
// folder.  The folders on the way that the data folder holds are made in the
// working directory first (with the data folder's letter case), so saving
// "base\maps\level01.map" makes the player's own copy.  The last component
// counts as a folder too when the path ends in a separator.
std::filesystem::path toWritablePath(std::string_view path);

// Every place a path may name: for a relative one the working directory's
// first, then the data folder's when there is a data folder apart; for an
// absolute one just itself.  Listings merge them; removal and renaming take
// the first, as the data folder is never changed.
// An absolute path inside the working directory (the file selector's) is
// read and listed as its relative form, here and in toNativePath.
std::vector<std::filesystem::path> nativePlaces(std::string_view path);

// The stand-in for _fullpath: the path mapped for reading made absolute
// against the working directory (so a folder of the data folder gives the
// player's copy when there is one, else the data folder's), "." and ".." removed lexically (symbolic links are not
// followed), "/" separators, no trailing separator except for "/" itself.
// Empty when the working directory cannot be read.
std::string fullPath(std::string_view path);

} // namespace platform
