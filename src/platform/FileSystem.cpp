#include "platform/FileSystem.hpp"

#include "platform/Paths.hpp"
#include "platform/TextCase.hpp"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace platform {

namespace {

// Letter case ignored first, then byte order, so names differing only in case
// still come out in one fixed order.
bool nameLess(const std::string& a, const std::string& b)
{
    const std::string lowerA = lowerAscii(a), lowerB = lowerAscii(b);
    return lowerA != lowerB ? lowerA < lowerB : a < b;
}

std::uint64_t entrySize(const fs::directory_entry& entry)
{
    std::error_code ec;
    if (!entry.is_regular_file(ec) || ec)
        return 0;
    const std::uintmax_t size = entry.file_size(ec);
    return ec ? 0 : static_cast<std::uint64_t>(size);
}

// Whether one of the entries in [first, last) carries the name in any letter
// case: a lookup would take that one.
template <typename It, typename NameOf>
bool containsIgnoringCase(It first, It last, const std::string& name, NameOf nameOf)
{
    return std::any_of(first, last, [&](const auto& e) { return equalIgnoringCase(nameOf(e), name); });
}

} // namespace

FileStatus fileStatus(std::string_view path)
{
    FileStatus result;
    if (path.empty())
        return result;
    const fs::path native = toNativePath(path);
    std::error_code ec;
    const fs::file_status st = fs::status(native, ec);
    if (ec || !fs::exists(st))
        return result;
    result.exists = true;
    result.isDirectory = fs::is_directory(st);
    if (fs::is_regular_file(st)) {
        const std::uintmax_t size = fs::file_size(native, ec);
        if (!ec)
            result.size = static_cast<std::uint64_t>(size);
    }
    return result;
}

bool fileExists(std::string_view path) { return fileStatus(path).exists; }

std::vector<DirectoryEntry> listDirectory(std::string_view folder)
{
    // The user folder's entries first, so theirs win over the data folder's
    // of the same name.
    std::vector<DirectoryEntry> entries;
    for (fs::path native : nativePlaces(folder)) {
        if (native.empty())
            native = ".";
        const std::size_t earlier = entries.size();
        std::error_code ec;
        fs::directory_iterator it(native, ec);
        const fs::directory_iterator end;
        for (; !ec && it != end; it.increment(ec)) {
            DirectoryEntry entry;
            entry.name = it->path().filename().string();
            if (containsIgnoringCase(entries.begin(), entries.begin() + std::ptrdiff_t(earlier), entry.name,
                                     [](const DirectoryEntry& e) -> const std::string& { return e.name; }))
                continue;
            std::error_code typeError;
            entry.isDirectory = it->is_directory(typeError);
            entry.size = entrySize(*it);
            entries.push_back(std::move(entry));
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return nameLess(a.name, b.name); });
    return entries;
}

std::vector<std::string> listFilesRecursive(std::string_view folder)
{
    std::vector<std::string> files;
    for (fs::path root : nativePlaces(folder)) {
        if (root.empty())
            root = ".";
        const std::size_t earlier = files.size();
        std::error_code ec;
        fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
        const fs::recursive_directory_iterator end;
        for (; !ec && it != end; it.increment(ec)) {
            std::error_code typeError;
            if (it->is_directory(typeError))
                continue;
            std::string relative = it->path().lexically_relative(root).string();
            std::replace(relative.begin(), relative.end(), '/', '\\');
            if (containsIgnoringCase(files.begin(), files.begin() + std::ptrdiff_t(earlier), relative,
                                     [](const std::string& name) -> const std::string& { return name; }))
                continue;
            files.push_back(std::move(relative));
        }
    }
    std::sort(files.begin(), files.end(), nameLess);
    return files;
}

bool removeFile(std::string_view path)
{
    if (path.empty())
        return false;
    const fs::path native = nativePlaces(path).front();
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(native, ec);
    if (ec || fs::is_directory(st))
        return false;
    return fs::remove(native, ec) && !ec;
}

bool renameFile(std::string_view from, std::string_view to)
{
    if (from.empty() || to.empty())
        return false;
    const fs::path source = nativePlaces(from).front();
    fs::path target = toWritablePath(to);
    std::error_code ec;
    if (fs::equivalent(source, target, ec) && !ec) {
        // Same file, another spelling: the new spelling is the point.
        const std::size_t cut = to.find_last_of("\\/");
        const std::string_view name = cut == std::string_view::npos ? to : to.substr(cut + 1);
        if (name.empty())
            return true;
        target = target.parent_path() / std::string(name);
    }
    ec.clear();
    fs::rename(source, target, ec);
    return !ec;
}

bool makeDirectories(std::string_view folder)
{
    if (folder.empty())
        return false;
    std::string asFolder(folder);
    if (asFolder.back() != '\\' && asFolder.back() != '/')
        asFolder += '\\';
    const fs::path native = toWritablePath(asFolder);
    std::error_code ec;
    fs::create_directories(native, ec);
    return fs::is_directory(native, ec);
}

FileHandle openFile(std::string_view path, const char* mode)
{
    if (path.empty() || mode == nullptr)
        return FileHandle();
    std::string nativeMode;
    for (const char* c = mode; *c != '\0'; ++c)
        if (*c != 't')
            nativeMode += *c;
    const bool writing = nativeMode.find_first_of("wa+") != std::string::npos;
    const fs::path native = writing ? toWritablePath(path) : toNativePath(path);
    return FileHandle(std::fopen(native.c_str(), nativeMode.c_str()));
}

std::vector<std::string> driveList()
{
    std::vector<std::string> drives{"/"};
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/')
        return drives;
    std::string folder = fs::path(home).lexically_normal().string();
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    std::error_code ec;
    if (folder != "/" && fs::is_directory(folder, ec) && !fs::equivalent(folder, "/", ec))
        drives.push_back(folder);
    return drives;
}

std::string currentDirectory()
{
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    return ec ? std::string() : cwd.string();
}

} // namespace platform
