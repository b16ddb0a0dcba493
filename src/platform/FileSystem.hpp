#pragma once
// File status, directory listing, removal and opening of files.  Every path
// given here is a program data path and goes through the mapping of
// Paths.hpp, so letter case does not matter for files that exist.  A relative
// path is read from the user folder or else the data folder, listed from both
// and written, renamed and removed only in the user folder (Roots.hpp).
// Nothing here throws.
//
// "Sorted by name" means: ASCII letter case ignored, ties (names that differ
// only in case) broken by plain byte order, so the order is total and the same
// on every run, close to what a Windows directory listing gives.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct FileStatus {
    bool exists = false;
    bool isDirectory = false;
    std::uint64_t size = 0;
};

struct DirectoryEntry {
    std::string name;          // file name only
    bool isDirectory = false;
    std::uint64_t size = 0;
};

// Follows symbolic links.  size is 0 for folders.
FileStatus fileStatus(std::string_view path);
bool fileExists(std::string_view path);

// Entries of one folder, sorted by name, without "." and "..".  Empty when
// the folder cannot be read.  isDirectory follows symbolic links.  For a
// relative folder, the user folder's copy and the data folder's together; of
// two entries with one name in any letter case, the user folder's.
std::vector<DirectoryEntry> listDirectory(std::string_view folder);
// Every file below a folder, as paths relative to it with "\" separators,
// sorted (the whole relative path compared as for listDirectory).  Folders
// themselves are not listed; links to folders are not followed.  Both roots
// as for listDirectory.
std::vector<std::string> listFilesRecursive(std::string_view folder);

// Deletes a file (not a folder).  True when a file was removed.
bool removeFile(std::string_view path);
// Atomic rename (std::filesystem::rename).  An existing target, whatever its
// letter case on disk, is replaced.  Renaming a file to its own name in
// another letter case changes the case on disk.
bool renameFile(std::string_view from, std::string_view to);
// Creates the folder and any missing parents (missing components are created
// with the case written, existing ones are reused whatever their case).  True
// when the folder exists afterwards.
bool makeDirectories(std::string_view folder);

struct FileCloser {
    void operator()(std::FILE* f) const { if (f) std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// fopen through the path mapping; mode as for fopen ("rb", "wb", "r", "w",
// "a").  Empty handle on failure.  Writing to a file that exists in another
// letter case writes that file; a new file gets the name as written.  The
// parent folder must exist, in the user folder or the data folder (a data
// folder's is copied as an empty folder into the user folder first).  Modes
// with "w", "a" or "+" write to the user folder's copy alone.  A Windows "t" in the mode is
// ignored; text and binary modes are the same here.
FileHandle openFile(std::string_view path, const char* mode);

// Size of an open regular file; nothing for folders and devices.
std::optional<std::uint64_t> regularFileSize(std::FILE* file);
// Flushes a written file through to the disk before it replaces another.
bool flushToDisk(std::FILE* file);

// File-system roots offered by the file selector in place of drive letters:
// "/" and the home folder from $HOME (absolute, without a trailing "/"),
// the latter left out when unset, not an existing folder, or "/" itself.
std::vector<std::string> driveList();

// The working directory as an absolute native path; empty on failure.
std::string currentDirectory();

} // namespace platform
