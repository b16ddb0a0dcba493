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
// - Anything else stays relative to the working directory.
// - "." and ".." are kept as they are.
// - A trailing separator is kept ("Shaders\" becomes "Shaders/").

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// True for "C:..." drive paths, "\\..." network paths and, on this system,
// anything starting with a slash (so "/" alone is absolute).  A single
// leading backslash is not absolute here, as on Windows.
bool isAbsolutePath(std::string_view path);

// Backslashes become slashes; every component that does not exist with its
// exact letter case is looked up case-insensitively (ASCII) in its parent
// folder; when several entries match, the first in byte order is taken.
// Components that exist in neither form are kept as written, so the result
// names where a new file would be created.  Never throws.
std::filesystem::path toNativePath(std::string_view path);

// The stand-in for _fullpath: the mapped path made absolute against the
// working directory, "." and ".." removed lexically (symbolic links are not
// followed), "/" separators, no trailing separator except for "/" itself.
// Empty when the working directory cannot be read.
std::string fullPath(std::string_view path);

} // namespace platform
