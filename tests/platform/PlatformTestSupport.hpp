#pragma once
// Scratch folders, working-directory and environment guards for the
// platform tests.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include <unistd.h>

namespace platform_test {

// A fresh folder below the system's temporary folder, removed with its
// contents afterwards.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvplatform-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            path_ = std::filesystem::canonical(pattern);
    }
    ~TempFolder()
    {
        std::error_code ec;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }

    // Creates a file (and its folders) below the temporary folder.
    void write(const std::string& relative, const std::string& content = "") const
    {
        const std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
    }
    void mkdir(const std::string& relative) const { std::filesystem::create_directories(path_ / relative); }

private:
    std::filesystem::path path_;
};

class WorkingDirectoryGuard {
public:
    explicit WorkingDirectoryGuard(const std::filesystem::path& to) : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(to);
    }
    ~WorkingDirectoryGuard()
    {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
    }
    WorkingDirectoryGuard(const WorkingDirectoryGuard&) = delete;
    WorkingDirectoryGuard& operator=(const WorkingDirectoryGuard&) = delete;

private:
    std::filesystem::path previous_;
};

// Sets or clears one environment variable and puts the old value back.
class EnvironmentGuard {
public:
    EnvironmentGuard(std::string name, const char* value) : name_(std::move(name))
    {
        if (const char* old = std::getenv(name_.c_str()))
            previous_ = old;
        set(value);
    }
    ~EnvironmentGuard() { set(previous_ ? previous_->c_str() : nullptr); }
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

    void set(const char* value) const
    {
        if (value != nullptr)
            setenv(name_.c_str(), value, 1);
        else
            unsetenv(name_.c_str());
    }

private:
    std::string name_;
    std::optional<std::string> previous_;
};

} // namespace platform_test
