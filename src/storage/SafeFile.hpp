#pragma once
// Safe saving: the data goes to a temporary file beside the target and
// replaces the target only when everything was written.
//
//   SafeFile out;
//   if (!out.open(path)) ...            // creates the temporary file
//   out.write(data, size); ...
//   if (!out.commit()) ...              // flush, close, rename over <path>
//
// A SafeFile destroyed without a successful commit() removes its temporary
// file and leaves the target as it was (an old file stays intact, a missing
// one stays missing).  Every file is opened through platform::openFile, so
// program data paths (backslashes, any letter case) are accepted.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/FileSystem.hpp"

class SafeFile {
public:
    enum class Mode { Binary, Text };

    SafeFile() = default;
    ~SafeFile();

    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;
    SafeFile(SafeFile&&) = delete;
    SafeFile& operator=(SafeFile&&) = delete;

    // The temporary file used for a target: beside it, hidden, with ".tmp"
    // after its name (".000.sav.tmp"), or before its extension when it must
    // be kept (".tiles.tmp.png").  Hidden, so file lists pass it by should a
    // killed program leave it behind; the next save of the target reuses it.
    static std::string tempPathFor(std::string_view target, bool keepExtension = false);

    // Abandons anything still open, then creates (truncates) the temporary
    // file for writing.  False when it cannot be created; the target is not
    // touched.
    bool open(std::string_view target, Mode mode = Mode::Binary);
    bool isOpen() const { return static_cast<bool>(file_); }

    // Writes the bytes.  A write that does not take every byte marks the file
    // failed; once failed, further writes do nothing and return false.
    bool write(const void* data, std::size_t size);
    bool write(std::string_view text) { return write(text.data(), text.size()); }

    // True after a failed write (or markFailed) since open.
    bool failed() const { return failed_; }
    // Lets the caller declare the content unusable: commit() will refuse.
    void markFailed() { failed_ = true; }

    // Flushes the data to disk, closes the temporary file and renames it over
    // the target.  Returns true only when every write, the flush, the close
    // and the rename succeeded; otherwise the temporary file is removed and
    // the target is left as it was.  The SafeFile is closed afterwards.
    bool commit();

    // Closes and removes the temporary file without touching the target.
    void discard();

    const std::string& targetPath() const { return target_; }
    const std::string& tempPath() const { return temp_; }

private:
    platform::FileHandle file_;
    std::string target_;
    std::string temp_;
    bool failed_ = false;
};
