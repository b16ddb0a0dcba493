#include "platform/Paths.hpp"

#include "platform/Roots.hpp"
#include "platform/TextCase.hpp"

#include <optional>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace platform {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool isDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// True when something (a file, a folder, even a dangling link) carries this
// exact name.
bool nameExists(const fs::path& p)
{
    std::error_code ec;
    fs::file_status st = fs::symlink_status(p, ec);
    return !ec && st.type() != fs::file_type::not_found && st.type() != fs::file_type::none;
}

// The on-disk name in folder that equals name without regard to ASCII case;
// empty when there is none.  Several candidates: the smallest in byte order,
// so the choice does not depend on the order the directory hands them out.
std::string findIgnoringCase(const fs::path& folder, std::string_view name)
{
    std::string best;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
    const fs::directory_iterator end;
    for (; !ec && it != end; it.increment(ec)) {
        std::string candidate = it->path().filename().string();
        if (equalIgnoringCase(candidate, name) && (best.empty() || candidate < best))
            best = std::move(candidate);
    }
    return best;
}

struct SplitPath {
    fs::path start;  // "/" for an absolute path, empty for a relative one
    std::vector<std::string_view> components;
    bool trailingSeparator = false;
};

SplitPath splitPath(std::string_view path)
{
    SplitPath split;
    if (path.empty())
        return split;
    std::string_view rest = path;
    if (rest.size() >= 2 && rest[1] == ':' && isDriveLetter(rest[0])) {
        // "C:\x", "C:x" and "C:" all land on the one root there is.
        split.start = "/";
        rest.remove_prefix(2);
    } else if (isSeparator(rest[0])) {
        split.start = "/";
    }
    std::size_t pos = 0;
    while (pos < rest.size()) {
        while (pos < rest.size() && isSeparator(rest[pos]))
            ++pos;
        const std::size_t begin = pos;
        while (pos < rest.size() && !isSeparator(rest[pos]))
            ++pos;
        if (pos > begin)
            split.components.push_back(rest.substr(begin, pos - begin));
    }
    split.trailingSeparator = isSeparator(path.back()) && !split.components.empty();
    return split;
}

// The components looked up one by one from start, each in its letter case
// on disk when it exists in some case.
fs::path resolveUnder(const fs::path& start, const SplitPath& split)
{
    fs::path result = start;
    bool resolving = true;  // false once a component is missing altogether
    for (std::string_view component : split.components) {
        const std::string written(component);
        if (resolving && component != "." && component != "..") {
            if (!nameExists(result / written)) {
                std::string onDisk = findIgnoringCase(result, component);
                if (!onDisk.empty()) {
                    result /= onDisk;
                    continue;
                }
                resolving = false;
            }
        }
        result /= written;
    }
    if (split.trailingSeparator)
        result /= "";
    return result;
}

// False for a relative path that climbs out of the folder it starts in
// ("..\x"): such a path names no data, only a place beside the user folder.
bool staysInside(const SplitPath& split)
{
    int depth = 0;
    for (std::string_view component : split.components) {
        if (component == "..")
            --depth;
        else if (component != ".")
            ++depth;
        if (depth < 0)
            return false;
    }
    return true;
}

// The file selector hands out absolute paths; one inside the user folder names
// the same data as its relative form, so it is read and listed across both
// roots too.  The relative form when it is one (no components for the
// folder itself).
std::optional<SplitPath> insideUserFolder(const SplitPath& split)
{
    if (split.start.empty() || fallbackDataFolder().empty())
        return std::nullopt;
    std::error_code ec;
    const fs::path user = fs::current_path(ec);
    if (ec)
        return std::nullopt;
    std::size_t matched = 0;
    for (const fs::path& part : user.relative_path()) {
        if (matched == split.components.size() || part.string() != split.components[matched])
            return std::nullopt;
        ++matched;
    }
    SplitPath inner = split;
    inner.start.clear();
    inner.components.erase(inner.components.begin(), inner.components.begin() + std::ptrdiff_t(matched));
    if (!staysInside(inner))
        return std::nullopt;
    return inner;
}

fs::path readingPlace(const SplitPath& split)
{
    const fs::path inUserFolder = resolveUnder(split.start, split);
    if (!split.start.empty() || split.components.empty() || fallbackDataFolder().empty() ||
        nameExists(inUserFolder) || !staysInside(split))
        return inUserFolder;
    const fs::path inDataFolder = resolveUnder(fallbackDataFolder(), split);
    return nameExists(inDataFolder) ? inDataFolder : inUserFolder;
}

} // namespace

bool isAbsolutePath(std::string_view path)
{
    if (!path.empty() && path[0] == '/')
        return true;
    if (path.size() < 2)
        return false;
    return path[1] == ':' || (path[0] == '\\' && path[1] == '\\');
}

fs::path toNativePath(std::string_view path)
{
    const SplitPath split = splitPath(path);
    if (const std::optional<SplitPath> inner = insideUserFolder(split); inner && !inner->components.empty())
        return fs::current_path() / readingPlace(*inner);
    return readingPlace(split);
}

fs::path toWritablePath(std::string_view path)
{
    const SplitPath split = splitPath(path);
    if (split.start.empty() && !split.components.empty() && !fallbackDataFolder().empty() && staysInside(split)) {
        // The deepest folder on the way that the data folder holds gets its
        // copy in the user folder, so the file can be made there.
        std::size_t folders = split.components.size() - (split.trailingSeparator ? 0 : 1);
        for (; folders > 0; --folders) {
            SplitPath folder;
            folder.components.assign(split.components.begin(), split.components.begin() + std::ptrdiff_t(folders));
            const fs::path inDataFolder = resolveUnder(fallbackDataFolder(), folder);
            std::error_code ec;
            if (!fs::is_directory(inDataFolder, ec))
                continue;
            const std::string spelling = inDataFolder.lexically_relative(fallbackDataFolder()).string();
            fs::create_directories(resolveUnder({}, splitPath(spelling)), ec);
            break;
        }
    }
    return resolveUnder(split.start, split);
}

std::vector<fs::path> nativePlaces(std::string_view path)
{
    const SplitPath split = splitPath(path);
    std::vector<fs::path> places{resolveUnder(split.start, split)};
    const std::optional<SplitPath> inner = insideUserFolder(split);
    if (inner)
        places.push_back(resolveUnder(fallbackDataFolder(), *inner));
    else if (split.start.empty() && !fallbackDataFolder().empty() && staysInside(split))
        places.push_back(resolveUnder(fallbackDataFolder(), split));
    return places;
}

std::string fullPath(std::string_view path)
{
    std::error_code ec;
    fs::path native = toNativePath(path);
    fs::path absolute = native.is_absolute() ? native : fs::current_path(ec) / native;
    if (ec)
        return {};
    std::string text = absolute.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

} // namespace platform
