#pragma once
// Scoped helpers for tests that touch the file system or the environment:
// a private temporary folder, a working-directory switch and an environment
// variable override, each undone at the end of the scope.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace test {

// Whole-file text (binary mode, so bytes stay as they are).
inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::filesystem::path& path, std::string_view content)
{
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(content.data(), std::streamsize(content.size()));
}

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelvane-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            root_ = std::filesystem::canonical(pattern);
    }
    // A folder of a fixed name, made afresh, for pictures that show its path.
    // Test programs running side by side take turns with it.
    explicit TempFolder(std::string_view name) : root_(std::filesystem::temp_directory_path() / name)
    {
        const std::string lockPath = root_.string() + ".lock";
        lock_ = ::open(lockPath.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0666);
        if (lock_ >= 0)
            ::flock(lock_, LOCK_EX);
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
    }
    ~TempFolder()
    {
        std::error_code ec;
        if (!root_.empty())
            std::filesystem::remove_all(root_, ec);
        if (lock_ >= 0)
            ::close(lock_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& root() const { return root_; }
    // Native path of an entry inside the folder, as text.
    std::string file(const std::string& relative) const { return (root_ / relative).string(); }

private:
    std::filesystem::path root_;
    int lock_ = -1;
};

class ScopedWorkingDirectory {
public:
    explicit ScopedWorkingDirectory(const std::filesystem::path& to) : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(to);
    }
    ~ScopedWorkingDirectory()
    {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
    }

private:
    std::filesystem::path previous_;
};

// Sets (or with nullptr clears) a variable; the old value comes back after.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            previous_ = old;
        set(value);
    }
    ~ScopedEnv() { set(previous_ ? previous_->c_str() : nullptr); }
    void set(const char* value) const { value ? setenv(name_.c_str(), value, 1) : unsetenv(name_.c_str()); }

private:
    std::string name_;
    std::optional<std::string> previous_;
};

} // namespace test
