#include "platform/Paths.hpp"

#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace platform {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}

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
        if (equalsIgnoreCase(candidate, name) && (best.empty() || candidate < best))
            best = std::move(candidate);
    }
    return best;
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
    if (path.empty())
        return {};

    fs::path result;
    std::string_view rest = path;
    if (rest.size() >= 2 && rest[1] == ':' && isDriveLetter(rest[0])) {
        // "C:\x", "C:x" and "C:" all land on the one root there is.
        result = "/";
        rest.remove_prefix(2);
    } else if (isSeparator(rest[0])) {
        result = "/";
    }

    std::vector<std::string_view> components;
    std::size_t pos = 0;
    while (pos < rest.size()) {
        while (pos < rest.size() && isSeparator(rest[pos]))
            ++pos;
        std::size_t start = pos;
        while (pos < rest.size() && !isSeparator(rest[pos]))
            ++pos;
        if (pos > start)
            components.push_back(rest.substr(start, pos - start));
    }
    const bool trailingSeparator = isSeparator(path.back()) && !components.empty();

    bool resolving = true;  // false once a component is missing altogether
    for (std::string_view component : components) {
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
    if (trailingSeparator)
        result /= "";
    return result;
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
