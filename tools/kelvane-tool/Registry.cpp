#include "Registry.hpp"

#include "storage/BinaryFile.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <iostream>

namespace tool {
namespace {

// Filled by the format files' static registrations before main runs.
struct RegistryState {
    std::vector<Command> commands;
    std::vector<FileKind> kinds;
};

RegistryState& state()
{
    static RegistryState registry;
    return registry;
}

bool sameText(const std::string& a, const std::string& b, bool ignoreCase)
{
    if (!ignoreCase)
        return a == b;
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

const FileKind* kindByTag(const std::string& path)
{
    constexpr std::size_t fixedTagSize = 32;
    constexpr std::int16_t longestTag = 64;
    for (const FileKind& kind : state().kinds) {
        BinaryFile file;
        if (!file.open(path))
            return nullptr;
        std::string tag;
        if (kind.style == TagStyle::LengthPrefixed) {
            std::int16_t length = 0;
            if (!file.readValue(length) || length <= 0 || length > longestTag)
                continue;
            tag.resize(static_cast<std::size_t>(length));
            if (!file.read(tag.data(), tag.size()))
                continue;
        } else {
            std::array<char, fixedTagSize + 1> fixed{};
            if (!file.read(fixed.data(), fixedTagSize))
                continue;
            tag = fixed.data();
        }
        if (sameText(tag, kind.tag, kind.ignoreCase))
            return &kind;
    }
    return nullptr;
}

} // namespace

bool registerCommand(Command command)
{
    state().commands.push_back(std::move(command));
    std::sort(state().commands.begin(), state().commands.end(),
              [](const Command& a, const Command& b) { return a.name < b.name; });
    return true;
}

bool registerFileKind(FileKind kind)
{
    state().kinds.push_back(std::move(kind));
    return true;
}

const std::vector<Command>& commands() { return state().commands; }

const FileKind* detectFileKind(const std::string& path)
{
    if (const FileKind* kind = kindByTag(path))
        return kind;
    const std::size_t dot = path.find_last_of('.');
    const std::size_t folderEnd = path.find_last_of("\\/");
    if (dot == std::string::npos || (folderEnd != std::string::npos && folderEnd > dot))
        return nullptr;
    const std::string extension = path.substr(dot);
    for (const FileKind& kind : state().kinds)
        if (!kind.extension.empty() && sameText(extension, kind.extension, true))
            return &kind;
    return nullptr;
}

int refuse(const std::string& error)
{
    std::cerr << error << '\n';
    return exitRefused;
}

} // namespace tool
